#include "ui/TMainform.h"

#include "core/LanguageTexts.h"
#include "settings/SettingsStore.h"
#include "ui/ErrorBoundary.h"
#include "ui/FrameLook.h"
#include "ui/MdiArrangement.h"
#include "ui/MdiWindowList.h"
#include "ui/QtLanguage.h"
#include "ui/TChildform.h"
#include "ui/TDialogAbout.h"
#include "ui/TDialogMultiDayAnalysis.h"
#include "ui/TDialogSettings.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int TextIniAccess = 95;

QAction* MakeAction(QObject* owner, const char* name, const QString& caption,
                    const QString& icon = QString(),
                    const QKeySequence& shortcut = QKeySequence()) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!icon.isEmpty())
        action->setIcon(QIcon(icon));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

// The logo at the size it was drawn at; an empty picture when the resources are not linked in.
QPixmap LogoPixmap() {
    QSvgRenderer renderer(QStringLiteral(":/logo/TarvexLogo.svg"));
    if (!renderer.isValid())
        return QPixmap();
    QPixmap pixmap(renderer.defaultSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

TMainform::StoreFactory TMainform::SystemStore() {
    return [] { return std::make_unique<SettingsStore>(); };
}

TMainform::TMainform(const StoreFactory& createStore, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TMainform"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(934, 648);
    setMinimumSize(494, 371);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setWindowIcon(QIcon(QStringLiteral(":/icons/Solvista.svg")));

    BuildActions();
    BuildMenus();
    BuildTopPanel();
    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    // Windows stacked or moved beyond the area, or larger than a small screen, stay reachable.
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    WindowList = new MdiWindowList(
        MdiArea, MenuWindow,
        [](const QMdiSubWindow* sub) {
            const auto* form = qobject_cast<const TChildform*>(sub->widget());
            const QString dates = form != nullptr ? form->CaptionDates() : QString();
            return dates.isEmpty() && sub->widget() != nullptr ? sub->widget()->windowTitle()
                                                               : dates;
        },
        this);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("PanelClient"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(PanelTop);
    column->addWidget(MdiArea, 1);
    setCentralWidget(central);
    Paint(this, FrameGrey);

    SetCurrentTexts(TextArrayId::German);
    QtLanguage::Apply(TextArrayId::German);
    setWindowTitle(QStringLiteral("Tarvex Solvista 1"));
    // The platform appends a display name to every window title, which would repeat the program's
    // name after the maximised analysis window's caption; the frame's title already carries it.
    QGuiApplication::setApplicationDisplayName(QString());
    CreateStore(createStore);
    CreateDialogs();
    ConnectActions();
    ConnectCommands();
    UpdateActionStates();
}

TMainform::~TMainform() {
    // Qt destroys the children after this body; nothing may call back into a half-destroyed frame.
    CloseAllAnalysisWindows();
    DetachSignals();
}

void TMainform::CreateStore(const StoreFactory& createStore) {
    try {
        FStore = createStore();
    } catch (const std::exception&) {
        // No language has been read yet, so the user gets the message in both start-up languages.
        FStore.reset();
        ShowErrorMessage(LanguageTexts(TextArrayId::English)[TextIniAccess] +
                         QStringLiteral("\n\n") +
                         LanguageTexts(TextArrayId::German)[TextIniAccess]);
    }
}

void TMainform::BuildActions() {
    ActionOpen = MakeAction(this, "ActionOpen", QStringLiteral("&Öffnen"),
                            QStringLiteral(":/icons/Open.svg"), QKeySequence(Qt::CTRL | Qt::Key_O));
    ActionMultiDayAnalysis =
        MakeAction(this, "ActionMultiDayAnalysis", QStringLiteral("&Mehrtägige Auswertung"),
                   QString(), QKeySequence(Qt::CTRL | Qt::Key_N));
    ActionYieldOverview =
        MakeAction(this, "ActionYieldOverview", QStringLiteral("Ertragsübersicht"),
                   QStringLiteral(":/icons/Yield.svg"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    ActionClose = MakeAction(this, "ActionClose", QStringLiteral("S&chließen"), QString(),
                             QKeySequence(Qt::CTRL | Qt::Key_W));
    ActionSave = MakeAction(this, "ActionSave", QStringLiteral("&Speichern"),
                            QStringLiteral(":/icons/Save.svg"), QKeySequence(Qt::CTRL | Qt::Key_S));
    ActionPrint =
        MakeAction(this, "ActionPrint", QStringLiteral("&Drucken"),
                   QStringLiteral(":/icons/Print.svg"), QKeySequence(Qt::CTRL | Qt::Key_P));
    ActionExportData = MakeAction(this, "ActionExportData", QStringLiteral("Daten e&xportieren"),
                                  QString(), QKeySequence(Qt::CTRL | Qt::Key_E));
    ActionCompare = MakeAction(this, "ActionCompare", QStringLiteral("Vergleichen mit..."),
                               QStringLiteral(":/icons/Compare.svg"));
    ActionExit = MakeAction(this, "ActionExit", QStringLiteral("&Beenden"), QString(),
                            QKeySequence(Qt::CTRL | Qt::Key_Q));
    ActionDefaultSettings =
        MakeAction(this, "ActionDefaultSettings", QStringLiteral("&Neue Fenster"));
    ActionWindowSettings =
        MakeAction(this, "ActionWindowSettings", QStringLiteral("&Aktuelles Fenster"));
    ActionPlantProfile = MakeAction(this, "ActionPlantProfile", QStringLiteral("Anlagenprofil..."));
    ActionCascade = MakeAction(this, "ActionCascade", QStringLiteral("Über&lappend"));
    ActionTileHorizontal =
        MakeAction(this, "ActionTileHorizontal", QStringLiteral("Ü&bereinander"));
    ActionMinimizeAll = MakeAction(this, "ActionMinimizeAll", QStringLiteral("Alle mi&nimieren"));
    ActionAbout = MakeAction(this, "ActionAbout", QStringLiteral("&Info"),
                             QStringLiteral(":/icons/About.svg"));

    // The language captions are the languages' own names and never change with the language.
    ActionLanguageGerman = MakeAction(this, "ActionLanguageGerman", QStringLiteral("Deutsch"),
                                      QStringLiteral(":/flags/German.svg"));
    ActionLanguageEnglish =
        MakeAction(this, "ActionLanguageEnglish", QStringLiteral("English (GB)"),
                   QStringLiteral(":/flags/English.svg"));
    ActionLanguageFrench = MakeAction(this, "ActionLanguageFrench", QStringLiteral("Français"),
                                      QStringLiteral(":/flags/French.svg"));
    ActionLanguageSpanish = MakeAction(this, "ActionLanguageSpanish", QStringLiteral("Español"),
                                       QStringLiteral(":/flags/Spanish.svg"));
    ActionLanguageItalian = MakeAction(this, "ActionLanguageItalian", QStringLiteral("Italiano"),
                                       QStringLiteral(":/flags/Italian.svg"));
    ActionLanguagePortuguese =
        MakeAction(this, "ActionLanguagePortuguese", QStringLiteral("Português"),
                   QStringLiteral(":/flags/Portuguese.svg"));
    ActionLanguageAmerican =
        MakeAction(this, "ActionLanguageAmerican", QStringLiteral("English (US)"),
                   QStringLiteral(":/flags/American.svg"));
    LanguageGroup = new QActionGroup(this);
    LanguageGroup->setObjectName(QStringLiteral("LanguageGroup"));
    for (QAction* action : LanguageActions()) {
        action->setCheckable(true);
        // A menu entry shows its icon or its tick, not both: the flag stays on the tool bar.
        action->setIconVisibleInMenu(false);
        LanguageGroup->addAction(action);
    }
    ActionLanguageGerman->setChecked(true);
    // Enabled by the first state update, like every command that needs no window.
    ActionMultiDayAnalysis->setEnabled(false);
}

std::array<QAction*, 7> TMainform::LanguageActions() const {
    return {ActionLanguageGerman,  ActionLanguageEnglish, ActionLanguageFrench,
            ActionLanguageSpanish, ActionLanguageItalian, ActionLanguagePortuguese,
            ActionLanguageAmerican};
}

void TMainform::BuildMenus() {
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    setMenuBar(MainMenu);
    const auto menu = [this](const char* name, const QString& caption) {
        QMenu* created = MainMenu->addMenu(caption);
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };
    MenuFile = menu("MenuFile", QStringLiteral("&Datei"));
    MenuFile->addAction(ActionOpen);
    MenuFile->addAction(ActionMultiDayAnalysis);
    MenuFile->addAction(ActionYieldOverview);
    MenuFile->addAction(ActionClose);
    MenuFile->addSeparator();
    MenuFile->addAction(ActionSave);
    MenuFile->addAction(ActionPrint);
    MenuFile->addAction(ActionExportData);
    MenuFile->addAction(ActionCompare);
    MenuFile->addSeparator();
    MenuFile->addAction(ActionExit);
    MenuSettings = menu("MenuSettings", QStringLiteral("&Einstellungen"));
    MenuSettings->addAction(ActionDefaultSettings);
    MenuSettings->addAction(ActionWindowSettings);
    MenuSettings->addAction(ActionPlantProfile);
    MenuLanguage = menu("MenuLanguage", QStringLiteral("&Sprachauswahl"));
    for (QAction* action : LanguageActions())
        MenuLanguage->addAction(action);
    MenuWindow = menu("MenuWindow", QStringLiteral("&Fenster"));
    MenuWindow->addAction(ActionCascade);
    MenuWindow->addAction(ActionTileHorizontal);
    MenuWindow->addAction(ActionMinimizeAll);
    MenuHelp = menu("MenuHelp", QStringLiteral("&?"));
    MenuHelp->addAction(ActionAbout);
}

void TMainform::BuildTopPanel() {
    PanelTop = new QFrame(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFrameShape(QFrame::NoFrame);
    PanelTop->setFixedHeight(44);
    Paint(PanelTop, FrameGrey);
    auto* row = new QHBoxLayout(PanelTop);
    row->setContentsMargins(2, 2, 0, 0);
    row->setSpacing(0);

    ToolBar = new QToolBar(PanelTop);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setFixedHeight(30);
    ToolBar->setMinimumWidth(321);
    // The current language's flag stands out, not only by a faint sunken frame.
    ToolBar->setStyleSheet(QStringLiteral(
        "QToolBar { border: none; background: transparent; }"
        "QToolButton:checked { border: 1px solid palette(highlight); border-radius: 3px;"
        " background: palette(light); }"));
    const auto button = [this](QAction* action, const char* name) {
        ToolBar->addAction(action);
        auto* created = qobject_cast<QToolButton*>(ToolBar->widgetForAction(action));
        created->setObjectName(QString::fromLatin1(name));
        return created;
    };
    ToolButtonOpen = button(ActionOpen, "ToolButtonOpen");
    ToolButtonYield = button(ActionYieldOverview, "ToolButtonYield");
    ToolButtonSave = button(ActionSave, "ToolButtonSave");
    ToolBar->addSeparator();
    ToolButtonPrint = button(ActionPrint, "ToolButtonPrint");
    ToolButtonCompare = button(ActionCompare, "ToolButtonCompare");
    ToolBar->addSeparator();
    const std::array<QAction*, 7> languages = LanguageActions();
    const std::array<const char*, 7> names = {"ToolButton1", "ToolButton2", "ToolButton3",
                                              "ToolButton4", "ToolButton5", "ToolButton6",
                                              "ToolButton7"};
    for (size_t i = 0; i < languages.size(); ++i)
        ToolButtonLanguage[i] = button(languages[i], names[i]);
    ToolBar->addSeparator();
    ToolButtonAbout = button(ActionAbout, "ToolButtonAbout");
    row->addWidget(ToolBar, 0, Qt::AlignLeft | Qt::AlignTop);
    row->addStretch(1);

    TarvexLogo = new QLabel(PanelTop);
    TarvexLogo->setObjectName(QStringLiteral("TarvexLogo"));
    TarvexLogo->setPixmap(LogoPixmap());
    row->addWidget(TarvexLogo, 0, Qt::AlignRight | Qt::AlignTop);
}

void TMainform::ConnectActions() {
    connect(ActionClose, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionCloseExecute(); }));
    connect(ActionExit, &QAction::triggered, this, GuardedSlot([this](bool) { close(); }));
    for (QAction* language : LanguageActions())
        connect(language, &QAction::triggered, this,
                GuardedSlot([this, language](bool) { ActionLanguageSelection(language); }));
    connect(ActionCascade, &QAction::triggered, this,
            GuardedSlot([this](bool) { CascadeAll(*MdiArea); }));
    connect(ActionTileHorizontal, &QAction::triggered, this,
            GuardedSlot([this](bool) { TileOneAboveTheOther(*MdiArea); }));
    connect(ActionMinimizeAll, &QAction::triggered, this,
            GuardedSlot([this](bool) { MinimizeAll(); }));

    connect(MdiArea, &QMdiArea::subWindowActivated, this,
            GuardedSlot([this](QMdiSubWindow*) { UpdateActionStates(); }));
    // Qt's form of the active-form notification: the frame, a dialog or another program taking or
    // losing the focus.
    FFocusConnection = connect(qApp, &QApplication::focusChanged, this,
                               GuardedSlot([this](QWidget*, QWidget*) { UpdateActionStates(); }));
}

void TMainform::DetachSignals() {
    QObject::disconnect(FFocusConnection);
    if (MdiArea != nullptr)
        MdiArea->disconnect(this);
}

void TMainform::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Guarded([this] { FormActivate(); });
}

void TMainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without a window manager the frame is never activated; the start-up work must run anyway.
    QTimer::singleShot(0, this, GuardedSlot([this] { FormActivate(); }));
}

void TMainform::FormActivate() {
    if (!FirstActivation || FClosing)
        return;
    FirstActivation = false;
    // The logo is our own drawing; there is nothing to guard it against.
    try {
        CreateAnalysisWindow(true);
    } catch (const std::exception&) {
        // The user opens a window with Open or Multi-day analysis instead.
    }
    SelectLanguageFromSettings();
    UpdateActionStates();
    Q_EMIT StartUpFinished();
}
