#include "app/mainframe.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>
#include <algorithm>

#include "app/commandtable.h"
#include "app/filedialogfilters.h"
#include "app/resources.h"
#include "app/variationsbar.h"
#include "document/prompter.h"
#include "document/zelkandoc.h"
#include "format/recordformat.h"
#include "view/commandids.h"
#include "view/controlid.h"
#include "view/zelkanview.h"

namespace {

constexpr int ToolBarPictureWidth = 16;
constexpr int ToolBarPictureHeight = 15;

const QString WindowSection = QStringLiteral("Window");
const QString OptionsSection = QStringLiteral("Options");
const QString JapaneseNotationKey = QStringLiteral("JapaneseNotation");

// The picture of a tool bar button, cut from the strip; empty when the strip is missing.
QIcon ToolBarIcon(const QPixmap& strip, int index) {
    if (strip.isNull() || index < 0 || (index + 1) * ToolBarPictureWidth > strip.width()) {
        return {};
    }
    return QIcon(
        strip.copy(index * ToolBarPictureWidth, 0, ToolBarPictureWidth, ToolBarPictureHeight));
}

QString ChooseOpenFile(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(OpenFilters());
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString DefaultSuffixOf(const QString& filter) {
    const std::optional<FileType> type = TypeOfSaveFilter(filter);
    if (!type) return QString();
    const std::string_view extension = DefaultExtension(*type);
    return QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
}

QString ChooseSaveFile(QWidget* parent, const QString& suggested, FileType& type) {
    QFileDialog dialog(parent, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const SaveFilter& filter : SaveFilters())
        filters.append(filter.text);
    dialog.setNameFilters(filters);
    const QString filter = SaveFilterFor(type);
    dialog.selectNameFilter(filter);
    // The dialog adds the chosen filter's extension to a name typed without one.
    dialog.setDefaultSuffix(DefaultSuffixOf(filter));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& chosen) { dialog.setDefaultSuffix(DefaultSuffixOf(chosen)); });
    if (QFileInfo(suggested).isDir()) {
        dialog.setDirectory(suggested);
    } else if (!suggested.isEmpty()) {
        // Offered without a record extension, so that choosing another filter gives the name
        // that filter's extension.
        const QFileInfo file(suggested);
        const bool known = FileTypeForPath(file.fileName().toStdString()).has_value();
        dialog.selectFile(known ? file.dir().filePath(file.completeBaseName()) : suggested);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (const std::optional<FileType> chosen = TypeOfSaveFilter(dialog.selectedNameFilter()))
        type = *chosen;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

CMainFrame::CMainFrame(CZelkanDoc& doc, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_prompter(prompter) {
    InitResources();
    setObjectName(QStringLiteral("mainFrame"));
    // A title bar with the system menu, minimize and close; no sizing border, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/icons/marlock.png")));
    setAcceptDrops(true);

    m_chooseOpenFile = [this](const QString& folder) { return ChooseOpenFile(this, folder); };
    m_chooseSaveFile = [this](const QString& suggested, FileType& type) {
        return ChooseSaveFile(this, suggested, type);
    };

    m_view = new CZelkanView(doc, prompter, this);
    setCentralWidget(m_view);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ConnectCommands();
    // The frame is always exactly as large as the view and the bars around it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_doc, &CZelkanDoc::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(&m_doc, &CZelkanDoc::modifiedChanged, this, &QWidget::setWindowModified);
    UpdateTitle();
    setWindowModified(m_doc.IsModified());

    m_view->OnInitialUpdate();
    ReadSettings();
    // The notation is remembered the moment it is chosen.
    connect(&m_doc, &CZelkanDoc::notationChanged, this, [](bool japanese) {
        QSettings().setValue(OptionsSection + QLatin1Char('/') + JapaneseNotationKey, japanese);
    });

    qApp->installEventFilter(this);
    UpdateLockIndicators();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The children go after this destructor, and their focus changes would still reach it.
    disconnect(m_view, nullptr, this, nullptr);
    disconnect(&m_doc, nullptr, this, nullptr);
}

void CMainFrame::CreateActions() {
    const QPixmap strip(QStringLiteral(":/toolbar.png"));
    for (const MenuItem& item : MenuCommands()) {
        // A submenu's own action comes with its menu.
        if (!item.submenu.empty()) continue;
        auto* action = new QAction(QString::fromUtf8(item.text), this);
        action->setData(item.id);
        action->setShortcuts(ShortcutsFor(item.id));
        action->setStatusTip(StatusTipFor(item.id));
        if (const QString tip = ToolTipFor(item.id); !tip.isEmpty()) action->setToolTip(tip);
        action->setIcon(ToolBarIcon(strip, ToolBarPictureIndex(item.id)));
        action->setIconVisibleInMenu(false);
        // Added to the frame too, so the keys work wherever the focus is in the window.
        addAction(action);
        m_actions[item.id] = action;
    }
    m_actions.at(ID_OPTIONS_JAPANESE)->setCheckable(true);
    m_actions.at(ID_OPTIONS_INTERNATIONAL)->setCheckable(true);
    m_actions.at(ID_OPTIONS_JAPANESE_NOTATION)->setCheckable(true);
    // Stands in for the recent files until there are any; never chosen itself.
    m_actions.at(ID_FILE_MRU_FILE1)->setEnabled(false);
}

void CMainFrame::CreateMenus() {
    for (const MenuDefinition& definition : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(definition.title));
        for (const MenuItem& item : definition.items) {
            if (item.id == SeparatorId) {
                menu->addSeparator();
            } else if (!item.submenu.empty()) {
                AddSubmenu(*menu, item);
            } else {
                menu->addAction(m_actions.at(item.id));
            }
        }
        if (definition.items.front().id == ID_FILE_NEW) m_fileMenu = menu;
    }
}

void CMainFrame::AddSubmenu(QMenu& menu, const MenuItem& item) {
    QMenu* submenu = menu.addMenu(QString::fromUtf8(item.text));
    QAction* opener = submenu->menuAction();
    opener->setData(item.id);
    opener->setStatusTip(StatusTipFor(item.id));
    m_actions[item.id] = opener;
    for (const MenuItem& command : item.submenu)
        submenu->addAction(m_actions.at(command.id));
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new CVariationsBar(m_doc, this);
    m_wndToolBar->AddButtons([this](int id) { return ActionById(id); });
    m_wndToolBar->SetFocusTarget(m_view);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    SetControlId(*bar, AFX_IDW_STATUS_BAR);
    bar->setSizeGripEnabled(false);
    // "Ready" is the bar's own message whenever no prompt covers it, so that both stand at the
    // same place.
    connect(bar, &QStatusBar::messageChanged, this, &CMainFrame::ShowReadyWhenIdle);
    bar->showMessage(QString::fromUtf8(IdleMessage));

    const auto addIndicator = [bar](int id, const QString& text) {
        auto* label = new QLabel(bar);
        SetControlId(*label, id);
        label->setAlignment(Qt::AlignCenter);
        // As wide as its text, whether the lock is on or not.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 8);
        bar->addPermanentWidget(label);
        return label;
    };
    m_capsLabel = addIndicator(ID_INDICATOR_CAPS, QStringLiteral("CAP"));
    m_numLabel = addIndicator(ID_INDICATOR_NUM, QStringLiteral("NUM"));
    m_scrollLabel = addIndicator(ID_INDICATOR_SCRL, QStringLiteral("SCRL"));
}

void CMainFrame::ConnectCommands() {
    connect(ActionById(ID_FILE_NEW), &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(ActionById(ID_FILE_OPEN), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(ActionById(ID_FILE_SAVE), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(ActionById(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(ActionById(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(ActionById(ID_EDIT_PASTE_RECORD), &QAction::triggered, this,
            &CMainFrame::OnPasteRecord);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdatePasteRecord);
    UpdatePasteRecord();
    m_view->ConnectCommands([this](int id) { return ActionById(id); });
}

void CMainFrame::UpdatePasteRecord() {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    ActionById(ID_EDIT_PASTE_RECORD)->setEnabled(clipboard != nullptr && clipboard->hasText());
}

void CMainFrame::ShowReadyWhenIdle(const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(QString::fromUtf8(IdleMessage));
}

QAction* CMainFrame::ActionById(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction* CMainFrame::RecentFilePlaceholder() const {
    return ActionById(ID_FILE_MRU_FILE1);
}

void CMainFrame::SetLockKeyReader(LockKeyReader reader) {
    m_readLockKeys = std::move(reader);
    UpdateLockIndicators();
}

bool CMainFrame::IsLockKeyEvent(const QEvent* event) const {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

void CMainFrame::UpdateLockIndicators() {
    const std::optional<LockKeyState> state = m_readLockKeys();
    const auto show = [](QLabel* label, bool on, const QString& text) {
        const QString wanted = on ? text : QString();
        if (label->text() != wanted) label->setText(wanted);
    };
    show(m_capsLabel, state && state->caps, QStringLiteral("CAP"));
    show(m_numLabel, state && state->num, QStringLiteral("NUM"));
    show(m_scrollLabel, state && state->scroll, QStringLiteral("SCRL"));
}

void CMainFrame::UpdateTitle() {
    QString title = m_doc.GetTitle();
    // Qt would take a "[*]" in a file name for its modified mark; doubled, it shows as written.
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*] - ") + QString::fromUtf8(ApplicationName));
}

bool CMainFrame::IsPositionOnScreen(QPoint position, int width, int titleBarHeight,
                                    const QList<QRect>& screens) {
    const QRect titleBar(position, QSize(std::max(width, 1), std::max(titleBarHeight, 1)));
    for (const QRect& screen : screens) {
        if (screen.intersects(titleBar)) return true;
    }
    return false;
}

void CMainFrame::ReadSettings() {
    QSettings settings;
    m_doc.SetJapaneseNotation(
        settings.value(OptionsSection + QLatin1Char('/') + JapaneseNotationKey, false).toBool());
    settings.beginGroup(WindowSection);
    bool hasX = false;
    bool hasY = false;
    const int x = settings.value(QStringLiteral("x")).toInt(&hasX);
    const int y = settings.value(QStringLiteral("y")).toInt(&hasY);
    if (!hasX || !hasY) return;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    const int titleBarHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    // A position that would leave no part of the title bar on any screen (a monitor that is
    // gone) would lose the window: the platform places it instead.
    if (IsPositionOnScreen({x, y}, width(), titleBarHeight, screens)) move(x, y);
}

void CMainFrame::WriteSettings() const {
    QSettings settings;
    settings.beginGroup(WindowSection);
    // The frame's own position; a minimized window keeps the place it returns to.
    const QPoint position = pos();
    settings.setValue(QStringLiteral("x"), position.x());
    settings.setValue(QStringLiteral("y"), position.y());
}

bool CMainFrame::SaveModified() {
    if (!m_doc.IsModified()) return true;
    const QString question = QStringLiteral("Save changes to %1?").arg(m_doc.GetTitle());
    switch (m_prompter.AskYesNoCancel(question)) {
        case Prompter::Answer::Yes:
            return OnFileSave();
        case Prompter::Answer::No:
            return true;
        case Prompter::Answer::Cancel:
            break;
    }
    return false;
}

void CMainFrame::OnFileNew() {
    if (!SaveModified()) return;
    m_doc.OnNewDocument();
}

void CMainFrame::OnPasteRecord() {
    const QString text = QApplication::clipboard()->text();
    // Said before the save question: there is nothing to make room for.
    if (!FormatByContent(text.toStdString())) {
        m_prompter.ShowMessage(QStringLiteral("The clipboard holds no game record."));
        return;
    }
    if (!SaveModified()) return;
    if (!m_doc.OpenRecordText(text)) {
        m_prompter.ShowMessage(
            QStringLiteral("Cannot paste the record: %1").arg(m_doc.LastFileError()));
    }
}

void CMainFrame::OnFileOpen() {
    const QString current = m_doc.GetPathName();
    const QString path =
        m_chooseOpenFile(current.isEmpty() ? QString() : QFileInfo(current).absolutePath());
    if (path.isEmpty()) return;
    OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    if (!SaveModified()) return false;
    if (!m_doc.OnOpenDocument(path)) {
        m_prompter.ShowMessage(QStringLiteral("Cannot open %1: %2")
                                   .arg(QDir::toNativeSeparators(path), m_doc.LastFileError()));
        emit openFailed(path);
        return false;
    }
    emit documentOpened(m_doc.GetPathName());
    return true;
}

bool CMainFrame::OnFileSave() {
    if (m_doc.GetPathName().isEmpty()) return OnFileSaveAs();
    return DoSave(m_doc.GetPathName());
}

bool CMainFrame::OnFileSaveAs() {
    const QString suggested =
        m_doc.GetPathName().isEmpty() ? m_doc.GetTitle() : m_doc.GetPathName();
    FileType type = m_doc.GetFileType();
    QString path = m_chooseSaveFile(suggested, type);
    if (path.isEmpty()) return false;
    type = ResolveSaveTarget(path, type);
    return DoSave(path, type);
}

bool CMainFrame::DoSave(const QString& path) {
    return DoSave(path, m_doc.GetFileType());
}

bool CMainFrame::DoSave(const QString& path, const FileType& type) {
    // The document shows why a save failed or was refused.
    if (!m_doc.OnSaveDocument(path, type)) return false;
    emit documentSaved(m_doc.GetPathName());
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The position is kept even when the user then cancels the close.
    WriteSettings();
    if (SaveModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

QString CMainFrame::FirstLocalFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = FirstLocalFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    // Opened once the drop is over: the save question must not hold up the dragging program.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenDocumentFile(path); }, Qt::QueuedConnection);
}

bool CMainFrame::IsOwnWidget(QObject* object) const {
    return object->isWidgetType() && static_cast<QWidget*>(object)->window() == this;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (IsLockKeyEvent(event) && IsOwnWidget(watched)) UpdateLockIndicators();
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // The accelerator keys come before the focused field: a line edit would otherwise
            // keep Ctrl+Left, Ctrl+C and the like for itself.
            auto* key = static_cast<QKeyEvent*>(event);
            if (IsAcceleratorKey(key->keyCombination()) && IsOwnWidget(watched)) {
                key->ignore();
                return true;
            }
            break;
        }
        case QEvent::WindowActivate:
            if (watched == this) UpdateLockIndicators();
            break;
        case QEvent::KeyPress: {
            // A key of the table whose command is disabled does nothing, in a field too.
            auto* key = static_cast<QKeyEvent*>(event);
            if (IsAcceleratorKey(key->keyCombination()) && IsOwnWidget(watched)) return true;
            break;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            // Files dropped anywhere on the window are opened, also over a text field.
            if (watched == this || !IsOwnWidget(watched)) break;
            auto* drop = static_cast<QDropEvent*>(event);
            if (FirstLocalFile(drop->mimeData()).isEmpty()) break;
            if (event->type() == QEvent::Drop) {
                dropEvent(drop);
            } else {
                drop->acceptProposedAction();
            }
            return true;
        }
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

QMenu* CMainFrame::createPopupMenu() {
    // No menu to hide the tool bar or the status bar.
    return nullptr;
}
