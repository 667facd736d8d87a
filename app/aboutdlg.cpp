#include "app/aboutdlg.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/resources.h"

namespace {

// The layout in dialog units: (x, y, width, height).
constexpr QRect DialogRect(0, 0, 168, 66);
constexpr QRect IconRect(11, 17, 18, 20);
constexpr QRect NameRect(37, 14, 83, 8);
constexpr QRect FirstLineRect(37, 25, 84, 8);
constexpr QRect SecondLineRect(37, 36, 81, 8);
constexpr QRect OkRect(129, 7, 32, 14);

}  // namespace

QRect CAboutDlg::DialogUnitsToPixels(const QRect& dialogUnits) {
    const QFontMetrics metrics(QApplication::font());
    const int a = metrics.averageCharWidth();
    const int h = metrics.height();
    return QRect(dialogUnits.x() * a / 4, dialogUnits.y() * h / 8, dialogUnits.width() * a / 4,
                 dialogUnits.height() * h / 8);
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    InitResources();
    setWindowTitle(tr("About Marlock"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setModal(true);
    setFixedSize(DialogUnitsToPixels(DialogRect).size());

    m_icon = new QLabel(this);
    const QRect iconRect = DialogUnitsToPixels(IconRect);
    m_icon->setGeometry(iconRect);
    m_icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QIcon icon = ProgramIcon();
    if (!icon.isNull()) m_icon->setPixmap(icon.pixmap(iconRect.size()));

    m_name = AddText(QStringLiteral("Marlock " MARLOCK_VERSION), NameRect);
    m_firstLine = AddText(tr("Shogi record editor"), FirstLineRect);
    m_secondLine = AddText(QStringLiteral("(C) 2026 Tallowby"), SecondLineRect);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setGeometry(DialogUnitsToPixels(OkRect));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    m_ok->setFocus();
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* CAboutDlg::AddText(const QString& text, const QRect& dialogUnits) {
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(DialogUnitsToPixels(dialogUnits));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}
