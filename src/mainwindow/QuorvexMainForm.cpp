#include "QuorvexMainForm.h"

#include "DiagramCommands.h"
#include "DiagramPane.h"
#include "EventHook.h"
#include "ObjectTreeModel.h"
#include "PaneSet.h"
#include "PaneSqlCommands.h"
#include "TextPane.h"
#include "VersionCaption.h"
#include "commands/CommandRunner.h"
#include "commands/MainCommands.h"
#include "dictionary/DBOraClass.h"
#include "engine/QtSession.h"
#include "forms/Dialogs.h"
#include "forms/InternetAccessForm.h"
#include "persistence/Exceptions.h"
#include "sqltools/AutoSQLForm.h"
#include "sqltools/SQLGridForm.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaObject>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>

namespace quorvex {

namespace {

// The window opens at 745 by 466 with the tree taking 306 of its 737-pixel client width.
constexpr int kWindowWidth = 745;
constexpr int kWindowHeight = 466;
constexpr int kMinimumSize = 400;
constexpr int kTreeWidth = 306;
constexpr int kClientWidth = 737;
constexpr int kTreeIndent = 19;
constexpr int kFontPixels = 13;

// "Small Fonts" where it is installed, else the desktop's own font at the same pixel size.
QFont WindowFont(const QFont& desktop)
{
    QFont font = desktop;
    font.setFamilies({QStringLiteral("Small Fonts"), desktop.family()});
    font.setPixelSize(kFontPixels);
    return font;
}

} // namespace

TQuorvexMainForm::TQuorvexMainForm(const QStringList& arguments, QWidget* parent)
    : TEditableForm(QStringLiteral("QuorvexMainForm"), parent)
    , m_arguments(arguments)
    , m_databaseName(
          QString::fromLatin1(kGlobalDatabaseName.data(), qsizetype(kGlobalDatabaseName.size())))
{
    LayOut();
    Initialize();
}

TQuorvexMainForm::~TQuorvexMainForm()
{
    m_treeHook.reset();
    // Results windows hold queries on the session: they go before it.
    qDeleteAll(findChildren<TSQLGridForm*>(Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<TAutoSQLForm*>(Qt::FindDirectChildrenOnly));
    m_paneSql.reset();
    // The tree refers to the model's items and the commands to the model: both go first; then
    // the reader, the query and the session, in that order.
    m_commands.reset();
    m_treeModel->Clear();
    if (m_reader)
        m_reader->SetQuery(nullptr);
    m_reader.reset();
    m_query.reset();
    m_session.reset();
}

void TQuorvexMainForm::LayOut()
{
    resize(kWindowWidth, kWindowHeight);
    setMinimumSize(kMinimumSize, kMinimumSize);
    setFont(WindowFont(font()));

    m_menu = BuildMainMenu(*this);

    m_diagram = new TDiagramCommands(
        *this, this, [this](const std::function<void()>& handler) { Guarded(handler); });

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setChildrenCollapsible(false);

    m_treeModel = new TObjectTreeModel(this);
    m_tree = new QTreeView(m_splitter);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setModel(m_treeModel);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setIndentation(kTreeIndent);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setDragEnabled(true);
    m_tree->setDragDropMode(QAbstractItemView::DragOnly);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    // The selection stays visible when the tree loses the focus.
    QPalette palette = m_tree->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    m_tree->setPalette(palette);
    m_splitter->addWidget(m_tree);

    m_panes = new TPaneSet(m_splitter, m_menu.RichEditPopup, *m_treeModel, m_diagram->Options());
    m_splitter->addWidget(m_panes->Panel());
    // The diagram tool bar stands at the left edge of the pane area.
    m_toolBar = new QToolBar(m_panes->Panel());
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setOrientation(Qt::Vertical);
    m_toolBar->setIconSize(QSize(16, 16));
    m_diagram->FillToolBar(*m_toolBar);
    m_panes->SetSideBar(m_toolBar);
    m_toolBar->hide();
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kTreeWidth, kClientWidth - kTreeWidth});
    setCentralWidget(m_splitter);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { Guarded([&] { TreeView1Change(current); }); });
    // A rebuilt tree has no selection: no command may act on a node that is gone.
    connect(m_treeModel, &QAbstractItemModel::modelReset, this,
            &TQuorvexMainForm::ResetObjectCommands);
    connect(m_tree, &QWidget::customContextMenuRequested, this, &TQuorvexMainForm::ShowTreeMenu);
    connect(m_panes, &TPaneSet::paneShown, this, [this](QWidget* pane) {
        auto* diagram = qobject_cast<TDiagramPane*>(pane);
        m_diagram->SetCurrentPane(diagram);
        m_toolBar->setVisible(diagram != nullptr);
    });
    connect(m_panes, &TPaneSet::diagramPaneCreated, m_diagram, &TDiagramCommands::AttachPane);
    // "Open in SQL Pane" of an Automatic SQL window: a new pane in front of "SQL".
    m_diagram->OpenInSqlPane = [this](const QString& statement) {
        const int index = m_panes->Count() - 2;
        m_panes->SelectPane(index);
        m_panes->SetPaneText(index, statement);
    };
    // Diagram tables point into the model: they let go before it changes and find their
    // objects again in the new one.
    connect(m_treeModel, &QAbstractItemModel::modelAboutToBeReset, m_diagram,
            &TDiagramCommands::ModelAboutToChange);
    connect(m_treeModel, &QAbstractItemModel::modelReset, m_diagram,
            &TDiagramCommands::ModelChanged);
    m_treeHook = std::make_unique<TEventHook>(
        std::initializer_list<QObject*>{m_tree, m_tree->viewport()},
        [this](QObject* watched, QEvent* event) {
            if (watched == m_tree->viewport() && event->type() == QEvent::ToolTip)
                return ShowTreeHint(event);
            if (watched == m_tree && event->type() == QEvent::KeyRelease) {
                const auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() == Qt::Key_Delete && !key->isAutoRepeat())
                    Guarded([this] { m_commands->Drop1Click(); });
            }
            return false;
        },
        nullptr);
}

void TQuorvexMainForm::FormCreate()
{
    // 1-2. The session and the one shared query, parsing parameters.
    m_session = std::make_unique<TQtSession>();
    m_query = m_session->CreateQuery(true);

    // 3. The captions.
    m_versionCaption = VersionCaption();
    setWindowTitle(m_versionCaption + MakerNotice());

    // 4. The panes and their tabs.
    m_panes->CreateStartPanes();

    // 5. The reader, with the switches as the menu shows them.
    RegisterDictionaryClasses();
    m_reader = std::make_unique<TDBNewOracle>();
    m_reader->SetQuery(m_query.get());
    m_reader->IncludeSys = m_menu.SystemSchema1->isChecked();
    m_reader->UseRule = m_menu.UseRuleBasedSQL1->isChecked();
    m_reader->UseOrdered = m_menu.UseOrderedSQLRule1->isChecked();
    m_reader->SourceName.clear();
    m_commands = std::make_unique<TMainCommands>(*this, SystemClock());
    m_paneSql = std::make_unique<TPaneSqlCommands>(*this, *m_panes);
    ConnectMenu();

    // 6. Every opening of the connection asks for the login.
    m_session->SetLoginCallback([this](TLoginParams& login) { Database1Login(login); });

    // 7. The alias: the first argument, else the user's choice; without one the program ends.
    if (!Argument(0).isEmpty()) {
        m_session->SetAlias(Argument(0).toStdString());
    } else if (!PickAlias()) {
        m_terminate = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }

    // 8. New tables' columns wrap at the default printer's page height, else at an A4 page.
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        QPrinter device(printer, QPrinter::HighResolution);
        m_diagram->SetPageHeight(device.pageLayout().paintRectPixels(device.resolution()).height());
    }
}

QString TQuorvexMainForm::DefaultMask() const
{
    return QString::fromLatin1(m_diagram->DefaultMask());
}

void TQuorvexMainForm::ConnectMenu()
{
    const auto bind = [this](QAction* action, void (TMainCommands::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded([&] { (m_commands.get()->*handler)(); }); });
    };
    bind(m_menu.Clear1, &TMainCommands::Clear1Click);
    bind(m_menu.Snapshot1, &TMainCommands::Snapshot1Click);
    bind(m_menu.Import1, &TMainCommands::Import1Click);
    bind(m_menu.CompareWithFile1, &TMainCommands::CompareWithFile1Click);
    bind(m_menu.SaveAsText1, &TMainCommands::SaveAsText1Click);
    bind(m_menu.RefreshAll1, &TMainCommands::RefreshAll1Click);
    bind(m_menu.RefreshStructure1, &TMainCommands::RefreshStructure1Click);
    bind(m_menu.RefreshSource1, &TMainCommands::RefreshSource1Click);
    bind(m_menu.ReCompile1, &TMainCommands::ReCompile1Click);
    bind(m_menu.Recompile2, &TMainCommands::ReCompile1Click);
    bind(m_menu.Drop1, &TMainCommands::Drop1Click);
    bind(m_menu.RecompileAll1, &TMainCommands::RecompileAll1Click);
    bind(m_menu.RecompileAll2, &TMainCommands::RecompileAll1Click);
    bind(m_menu.Refresh2, &TMainCommands::Refresh2Click);
    bind(m_menu.AnalyseDatabase1, &TMainCommands::AnalyseDatabase1Click);
    bind(m_menu.AnalyseSchema1, &TMainCommands::AnalyseSchema1Click);
    for (QAction* sw : {m_menu.UseCostSQLHint1, m_menu.UseRuleBasedSQL1, m_menu.UseOrderedSQLRule1,
                        m_menu.SystemSchema1}) {
        connect(sw, &QAction::triggered, this,
                [this, sw] { Guarded([&] { m_commands->SystemSchema1Click(sw); }); });
    }

    const auto own = [this](QAction* action, void (TQuorvexMainForm::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded([&] { (this->*handler)(); }); });
    };
    own(m_menu.Connect1, &TQuorvexMainForm::Connect1Click);
    own(m_menu.Disconnect1, &TQuorvexMainForm::Disconnect1Click);
    own(m_menu.ChangeAlias1, &TQuorvexMainForm::ChangeAlias1Click);
    own(m_menu.About1, &TQuorvexMainForm::About1Click);
    own(m_menu.ChangeFont1, &TQuorvexMainForm::ChangeFont1Click);
    connect(m_menu.CheckForUpdates1, &QAction::triggered, this,
            [this] { Guarded([this] { ShowInternetAccess(this); }); });
    // The pane commands act on the current tab's pane.
    const auto pane = [this](QAction* action, void (TPaneSqlCommands::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded([&] { (m_paneSql.get()->*handler)(); }); });
    };
    pane(m_menu.ClearPane1, &TPaneSqlCommands::ClearRichEditClick);
    pane(m_menu.ExecuteSQL1, &TPaneSqlCommands::Execute1Click);
    pane(m_menu.RunScript1, &TPaneSqlCommands::RunScript1Click);
    pane(m_menu.SaveToFile1, &TPaneSqlCommands::SaveToFile1Click);
    pane(m_menu.LoadFromFile1, &TPaneSqlCommands::Loadfromfile1Click);
    // Word Wrap acts on the pane the menu was opened on, and shows that pane's state.
    connect(m_menu.RichEditPopup, &QMenu::aboutToShow, this, [this] {
        if (const TTextPane* pane = m_panes->PopupPane())
            m_menu.WordWrap1->setChecked(pane->WordWrap());
    });
    connect(m_menu.WordWrap1, &QAction::triggered, this, [this](bool wrap) {
        if (TTextPane* pane = m_panes->PopupPane())
            pane->SetWordWrap(wrap);
    });
}

void TQuorvexMainForm::showEvent(QShowEvent* event)
{
    TEditableForm::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TQuorvexMainForm::FormShow()
{
    SelectPane(kActionPane);
}

void TQuorvexMainForm::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const EAbort&) {
        // A silent abort shows nothing.
    } catch (const std::exception& error) {
        Dialogs().Message(this, QMessageBox::Critical, QStringLiteral("Quorvex"),
                          QString::fromStdString(error.what()), QMessageBox::Ok, QMessageBox::Ok);
    }
}

QString TQuorvexMainForm::Argument(int index) const
{
    return m_arguments.value(index);
}

void TQuorvexMainForm::ReplaceReader(std::unique_ptr<TDBNewOracle> reader)
{
    if (!reader)
        return;
    // The tree must not outlive the items it refers to.
    if (m_treeModel->Schema() == m_reader.get())
        m_treeModel->Clear();
    reader->SetQuery(m_query.get());
    std::swap(m_reader, reader);
    reader->SetQuery(nullptr);
}

TDatabaseSession& TQuorvexMainForm::Session()
{
    return *m_session;
}

void TQuorvexMainForm::SetStatusText(const QString& text)
{
    QStatusBar* bar = MainStatusBar();
    if (bar == nullptr)
        return;
    bar->showMessage(text);
    // Shown at once, while a long operation keeps the event loop busy.
    bar->repaint();
}

QModelIndex TQuorvexMainForm::SelectedNode() const
{
    return m_tree->selectionModel()->currentIndex();
}

void TQuorvexMainForm::SelectNode(const QModelIndex& node)
{
    m_tree->setCurrentIndex(node);
    if (node.isValid())
        m_tree->scrollTo(node);
}

void TQuorvexMainForm::SetPaneText(int index, const QString& text)
{
    m_panes->SetPaneText(index, text);
}

QString TQuorvexMainForm::PaneText(int index) const
{
    return m_panes->PaneText(index);
}

void TQuorvexMainForm::SelectPane(int index)
{
    m_panes->SelectPane(index);
}

void TQuorvexMainForm::SetDescriptionReportLayout()
{
    if (TTextPane* pane = m_panes->TextPane(kDescriptionPane))
        pane->SetReportLayout();
}

QAction* TQuorvexMainForm::Action(const QString& name) const
{
    return name.isEmpty() ? nullptr : findChild<QAction*>(name);
}

} // namespace quorvex
