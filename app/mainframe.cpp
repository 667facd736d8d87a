#include "app/mainframe.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
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

#include "analysis/analysispane.h"
#include "app/boardpictures.h"
#include "app/commandtable.h"
#include "app/filedialogfilters.h"
#include "app/language.h"
#include "app/positionsetup.h"
#include "app/resources.h"
#include "app/variationsbar.h"
#include "board/boardwnd.h"
#include "document/prompter.h"
#include "document/zelkandoc.h"
#include "format/recordformat.h"
#include "view/commandids.h"
#include "view/controlid.h"
#include "view/movelist.h"
#include "view/movelistmodel.h"
#include "view/zelkanview.h"

namespace {

constexpr QSize ToolBarPictureSize(16, 15);

const QString WindowSection = QStringLiteral("Window");
const QString JapaneseNotationKey = QStringLiteral("Options/JapaneseNotation");
const QString PieceStyleKey = QStringLiteral("Options/PieceStyle");
const QString RotatedKey = QStringLiteral("Options/Rotated");
const QString MoveListKey = QStringLiteral("Window/MoveList");
const QString InternationalStyle = QStringLiteral("International");
const QString JapaneseStyle = QStringLiteral("Japanese");

// The tool bar's pictures at their size and at twice it, for a screen of twice the density.
struct ToolBarStrips {
    QPixmap small{QStringLiteral(":/toolbar.png")};
    QPixmap large{QStringLiteral(":/toolbar@2x.png")};
    ToolBarStrips() { large.setDevicePixelRatio(1); }
};

// The picture of a tool bar button at both sizes, cut from the strips; empty when the strips
// are missing.
QIcon ToolBarIcon(const ToolBarStrips& strips, int index) {
    QIcon icon;
    if (index < 0) return icon;
    for (int factor : {1, 2}) {
        const QPixmap& strip = factor == 1 ? strips.small : strips.large;
        const QSize size = ToolBarPictureSize * factor;
        if ((index + 1) * size.width() > strip.width()) continue;
        icon.addPixmap(strip.copy(QRect(QPoint(index * size.width(), 0), size)));
    }
    return icon;
}

QString ChooseOpenFile(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, CMainFrame::tr("Open"));
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
    QFileDialog dialog(parent, CMainFrame::tr("Save As"));
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
    setWindowIcon(ProgramIcon());
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
    CreateMoveList();
    CreateAnalysisPane();
    CreateStatusBar();
    ConnectCommands();

    connect(&m_doc, &CZelkanDoc::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(&m_doc, &CZelkanDoc::modifiedChanged, this, &QWidget::setWindowModified);
    UpdateTitle();
    setWindowModified(m_doc.IsModified());

    m_view->OnInitialUpdate();
    ReadSettings();
    // The options are remembered the moment they are chosen.
    connect(&m_doc, &CZelkanDoc::notationChanged, this,
            [](bool japanese) { QSettings().setValue(JapaneseNotationKey, japanese); });
    connect(&m_doc, &CZelkanDoc::pieceStyleChanged, this, [](bool japanese) {
        QSettings().setValue(PieceStyleKey, japanese ? JapaneseStyle : InternationalStyle);
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
    const ToolBarStrips strips;
    for (const MenuItem& item : MenuCommands()) {
        // A submenu's own action comes with its menu.
        if (!item.submenu.empty()) continue;
        auto* action = new QAction(MenuText(item), this);
        action->setData(item.id);
        action->setShortcuts(ShortcutsFor(item.id));
        action->setStatusTip(StatusTipFor(item.id));
        if (const QString tip = ToolTipFor(item.id); !tip.isEmpty()) action->setToolTip(tip);
        action->setIcon(ToolBarIcon(strips, ToolBarPictureIndex(item.id)));
        action->setIconVisibleInMenu(false);
        // Added to the frame too, so the keys work wherever the focus is in the window.
        addAction(action);
        m_actions[item.id] = action;
    }
    m_actions.at(ID_OPTIONS_JAPANESE_NOTATION)->setCheckable(true);
    m_actions.at(ID_VIEW_MOVE_LIST)->setCheckable(true);
    // One choice of each set, shown with radio marks.
    for (const auto& choices :
         {std::vector<int>{ID_OPTIONS_JAPANESE, ID_OPTIONS_INTERNATIONAL},
          std::vector<int>{ID_OPTIONS_PICTURE_1X, ID_OPTIONS_PICTURE_2X, ID_OPTIONS_PICTURE_3X},
          std::vector<int>{ID_OPTIONS_LANGUAGE_SYSTEM, ID_OPTIONS_LANGUAGE_ENGLISH,
                           ID_OPTIONS_LANGUAGE_JAPANESE}}) {
        auto* group = new QActionGroup(this);
        for (int id : choices) {
            m_actions.at(id)->setCheckable(true);
            group->addAction(m_actions.at(id));
        }
    }
    // Stands in for the recent files until there are any; never chosen itself.
    m_actions.at(ID_FILE_MRU_FILE1)->setEnabled(false);
}

void CMainFrame::CreateMenus() {
    for (const MenuDefinition& definition : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(MenuTitle(definition));
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
    QMenu* submenu = menu.addMenu(MenuText(item));
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

void CMainFrame::CreateMoveList() {
    m_moveList = new CMoveList(m_doc, this);
    m_moveListDock = new QDockWidget(tr("Moves"), this);
    m_moveListDock->setObjectName(QStringLiteral("moveListDock"));
    // Shown and hidden by View > Move List only, so that the setting says what the user chose.
    m_moveListDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_moveListDock->setWidget(m_moveList);
    addDockWidget(Qt::RightDockWidgetArea, m_moveListDock);
}

void CMainFrame::CreateAnalysisPane() {
    m_analysis = new AnalysisPane(m_doc, m_prompter, this);
    addDockWidget(Qt::RightDockWidgetArea, m_analysis);
    // Under the move list; shown when the analysis starts.
    splitDockWidget(m_moveListDock, m_analysis, Qt::Vertical);
    m_analysis->hide();
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    SetControlId(*bar, AFX_IDW_STATUS_BAR);
    // "Ready" is the bar's own message whenever no prompt covers it, so that both stand at the
    // same place.
    connect(bar, &QStatusBar::messageChanged, this, &CMainFrame::ShowReadyWhenIdle);
    bar->showMessage(IdleMessageText());

    const auto addIndicator = [bar](int id, const QString& text) {
        auto* label = new QLabel(bar);
        SetControlId(*label, id);
        label->setAlignment(Qt::AlignCenter);
        // As wide as its text, whether the lock is on or not.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 8);
        bar->addPermanentWidget(label);
        return label;
    };
    // Where the user stands in the line, left of the lock keys.
    m_placeLabel = new QLabel(bar);
    m_placeLabel->setObjectName(QStringLiteral("placeLabel"));
    bar->addPermanentWidget(m_placeLabel);
    const auto showPlace = [this] { m_placeLabel->setText(m_moveList->Model().PlaceText()); };
    connect(&m_moveList->Model(), &MoveListModel::placeChanged, m_placeLabel, showPlace);
    showPlace();

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

    connect(ActionById(ID_VIEW_MOVE_LIST), &QAction::triggered, this, [this](bool shown) {
        m_moveListDock->setVisible(shown);
        QSettings().setValue(MoveListKey, shown);
    });
    // After the view has turned the board.
    connect(ActionById(ID_OPTIONS_ROTATE), &QAction::triggered, this,
            [this] { QSettings().setValue(RotatedKey, m_view->Board()->BottomSide() != Black); });
    m_pictures = new BoardPictureCommands(*m_view->Board(), m_doc, m_prompter, this);
    m_pictures->Connect([this](int id) { return ActionById(id); });
    m_analysis->ConnectCommands([this](int id) { return ActionById(id); });
    ConnectLanguageChoice();
    auto* setup = new PositionSetupCommands(
        m_doc, m_prompter, *m_view->Board(), [this] { return SaveModified(); }, this);
    setup->Connect([this](int id) { return ActionById(id); });
}

void CMainFrame::ConnectLanguageChoice() {
    // Kept for the next start: the texts already shown stay as they are.
    const std::pair<int, LanguageChoice> choices[] = {
        {ID_OPTIONS_LANGUAGE_SYSTEM, LanguageChoice::System},
        {ID_OPTIONS_LANGUAGE_ENGLISH, LanguageChoice::English},
        {ID_OPTIONS_LANGUAGE_JAPANESE, LanguageChoice::Japanese}};
    const LanguageChoice stored = StoredLanguageChoice();
    for (const auto& [id, choice] : choices) {
        ActionById(id)->setChecked(choice == stored);
        connect(ActionById(id), &QAction::triggered, this,
                [choice] { StoreLanguageChoice(choice); });
    }
}

void CMainFrame::UpdatePasteRecord() {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    ActionById(ID_EDIT_PASTE_RECORD)->setEnabled(clipboard != nullptr && clipboard->hasText());
}

void CMainFrame::ShowReadyWhenIdle(const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(IdleMessageText());
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
    m_doc.SetJapaneseNotation(settings.value(JapaneseNotationKey, false).toBool());
    m_doc.SetJapanesePieces(settings.value(PieceStyleKey).toString() != InternationalStyle);
    if (settings.value(RotatedKey, false).toBool() && m_view->Board()->BottomSide() == Black)
        m_view->Board()->Rotate();
    const bool moveList = settings.value(MoveListKey, true).toBool();
    ActionById(ID_VIEW_MOVE_LIST)->setChecked(moveList);
    m_moveListDock->setVisible(moveList);

    settings.beginGroup(WindowSection);
    // The first time, the board at its smallest with everything around it; then the size the
    // user left it at, as far as the screen (perhaps a smaller one now) has room for it.
    QSize stored(settings.value(QStringLiteral("width")).toInt(),
                 settings.value(QStringLiteral("height")).toInt());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        stored = stored.boundedTo(screen->availableGeometry().size());
    resize(stored.isEmpty() ? sizeHint() : stored.expandedTo(minimumSizeHint()));
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
    // A maximized window keeps the size it returns to.
    const QSize size = isMaximized() || isFullScreen() ? normalGeometry().size() : this->size();
    settings.setValue(QStringLiteral("width"), size.width());
    settings.setValue(QStringLiteral("height"), size.height());
}

bool CMainFrame::SaveModified() {
    if (!m_doc.IsModified()) return true;
    const QString question = tr("Save changes to %1?").arg(m_doc.GetTitle());
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
        m_prompter.ShowMessage(tr("The clipboard holds no game record."));
        return;
    }
    if (!SaveModified()) return;
    if (!m_doc.OpenRecordText(text)) {
        m_prompter.ShowMessage(tr("Cannot paste the record: %1").arg(m_doc.LastFileError()));
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
        m_prompter.ShowMessage(
            tr("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), m_doc.LastFileError()));
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
            // On the board and in the move list the arrows, Home and End step without Ctrl.
            const int step = PlainStepCommand(key->keyCombination());
            const bool recordHasKeys = watched == m_view || watched == m_moveList;
            if (step != 0 && recordHasKeys && watched == QApplication::focusWidget()) {
                ActionById(step)->trigger();
                return true;
            }
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
