#pragma once

#include <QDialog>
#include <QRect>

class QLabel;
class QPushButton;

// The About box: the program's icon, name and version and two lines about it, laid out in
// dialog units of the application's default font so it scales with that font. OK is the
// default button; Enter and Escape close the box as well.
class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // A rectangle given in dialog units, in pixels of the default font: x * a / 4 and
    // y * height / 8, a being the font's average character width.
    static QRect DialogUnitsToPixels(const QRect& dialogUnits);

    QLabel* IconLabel() const { return m_icon; }
    QLabel* NameLabel() const { return m_name; }
    QLabel* FirstLine() const { return m_firstLine; }
    QLabel* SecondLine() const { return m_secondLine; }
    QPushButton* OkButton() const { return m_ok; }

  private:
    QLabel* AddText(const QString& text, const QRect& dialogUnits);

    QLabel* m_icon = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_firstLine = nullptr;
    QLabel* m_secondLine = nullptr;
    QPushButton* m_ok = nullptr;
};
