#include "DiagramCommands.h"

#include "DiagramIcons.h"
#include "MainWindowHost.h"
#include "ObjectTreeModel.h"
#include "diagram/AutoSQL.h"
#include "diagram/DiagramFont.h"
#include "diagram/DiagramRender.h"
#include "diagram/LayoutFile.h"
#include "dictionary/DBOraClass.h"
#include "forms/Dialogs.h"
#include "model/ObjectList.h"
#include "persistence/Exceptions.h"
#include "sqltools/AutoSQLForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QToolBar>
#include <algorithm>

namespace quorvex {

namespace {

const QString kMaskPrompt = QStringLiteral("%n:s 0-No,1-Name,2-Default,3-Type,4-Key,5-Comment");
const QString kNewTableItem = QStringLiteral("NewTabItem");
const QString kSaveFilter = QStringLiteral("Object Files (*.OBJ);;SQL Files (*.SQL);;All Files "
                                           "(*.*);;Layout Files (*.LYT);;Text Files (*.TXT)");
const QString kOpenFilter = QStringLiteral(
    "Object Files (*.OBJ);;SQL Files (*.SQL);;All Files (*.*);;Layout Files (*.LYT)");
const QString kLayoutFilter = QStringLiteral("Layout Files (*.LYT)");
const QString kPictureFilter = QStringLiteral("Bitmap Files (*.bmp);;PNG Images (*.png);;SVG "
                                              "Drawings (*.svg);;PDF Documents (*.pdf)");
constexpr int kDefaultPrintScale = 4;

std::string Bytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

std::string FileName(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

// The program's own file name with the extension .lyt, as layout dialogs propose it.
QString ProposedLayoutName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".lyt");
}

} // namespace

TDiagramCommands::TDiagramCommands(TMainWindowHost& host, QWidget* window, TGuard guard)
    : QObject(window)
    , m_host(host)
    , m_guard(std::move(guard))
{
    ZoomOutAction =
        AddAction(window, "ZoomOutAction", "Zoom Out", "Zoom Out", &TDiagramCommands::ZoomOut);
    ZoomInAction =
        AddAction(window, "ZoomInAction", "Zoom In", "Zoom In", &TDiagramCommands::ZoomIn);
    ClearAction =
        AddAction(window, "ClearAction", "Clear", "Clear All Objects", &TDiagramCommands::Clear);
    ShowHintsAction =
        AddAction(window, "ShowHintsAction", "Show Hints", "Show or Hide Hints", nullptr);
    MoveAllWithMouseAction = AddAction(window, "MoveAllWithMouseAction", "Move All With Mouse",
                                       "Move all the objects with the mouse", nullptr);
    DefaultFieldMaskAction =
        AddAction(window, "DefaultFieldMaskAction", "Default Field Mask",
                  "Set the default field mask for tables", &TDiagramCommands::DefaultFieldMask);
    CloseSelectedAction = AddAction(window, "CloseSelectedAction", "Close Selected Table",
                                    "Close Table", &TDiagramCommands::CloseSelected);
    ZoomOutAction->setIcon(DiagramIcon(TDiagramIcon::ZoomOut));
    ZoomInAction->setIcon(DiagramIcon(TDiagramIcon::ZoomIn));
    ClearAction->setIcon(DiagramIcon(TDiagramIcon::Clear));
    ShowHintsAction->setIcon(DiagramIcon(TDiagramIcon::ShowHints));
    MoveAllWithMouseAction->setIcon(DiagramIcon(TDiagramIcon::MoveAll));
    DefaultFieldMaskAction->setIcon(DiagramIcon(TDiagramIcon::DefaultMask));
    CloseSelectedAction->setIcon(DiagramIcon(TDiagramIcon::CloseTable));
    for (QAction* option : {ShowHintsAction, MoveAllWithMouseAction})
        option->setCheckable(true);
    connect(ShowHintsAction, &QAction::toggled, this,
            [this](bool on) { m_options.ShowHints = on; });
    connect(MoveAllWithMouseAction, &QAction::toggled, this,
            [this](bool on) { m_options.MoveAllWithMouse = on; });
    BuildPopup(window);
}

QAction* TDiagramCommands::AddAction(QWidget* window, const char* name, const char* caption,
                                     const char* hint, void (TDiagramCommands::*handler)())
{
    auto* action = new QAction(QString::fromLatin1(caption), window);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromLatin1(hint));
    action->setStatusTip(QString::fromLatin1(hint));
    if (handler != nullptr)
        connect(action, &QAction::triggered, this, [this, handler] { Run(handler); });
    return action;
}

QAction* TDiagramCommands::AddItem(QMenu& menu, const char* name, const char* caption,
                                   void (TDiagramCommands::*handler)())
{
    QAction* item = menu.addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    if (handler != nullptr)
        connect(item, &QAction::triggered, this, [this, handler] { Run(handler); });
    return item;
}

// The menu items are actions of their own: opening the popup enables and disables them
// without touching the tool bar's buttons, which stay available whatever the popup showed.
void TDiagramCommands::BuildPopup(QWidget* window)
{
    m_popup = new QMenu(window);
    m_popup->setObjectName(QStringLiteral("ImagePopup"));
    AddItem(*m_popup, "AutomaticSQL1", "Automatic SQL", &TDiagramCommands::AutomaticSQL);
    QMenu* selected = m_popup->addMenu(QStringLiteral("Selected"));
    selected->menuAction()->setObjectName(QStringLiteral("Selected1"));
    AddItem(*selected, "Remove1", "Close Selected Table", &TDiagramCommands::CloseSelected);
    AddItem(*selected, "SendToBack1", "Send To Back", &TDiagramCommands::SendToBack);
    AddItem(*selected, "StraightLines1", "Straight", &TDiagramCommands::Straight)
        ->setCheckable(true);
    AddItem(*selected, "Group1", "Group", &TDiagramCommands::Group);
    AddItem(*selected, "GroupConnected1", "Group Connected", &TDiagramCommands::GroupConnected);
    AddItem(*selected, "Ungroup1", "Ungroup Selected", &TDiagramCommands::UngroupSelected);

    QMenu* table = m_popup->addMenu(QStringLiteral("Table"));
    table->menuAction()->setObjectName(QStringLiteral("Table1"));
    m_addRefTo = table->addMenu(QStringLiteral("Add Ref To"));
    m_addRefTo->menuAction()->setObjectName(QStringLiteral("AddRefTo1"));
    connect(AddItem(*table, "ReferencedBy1", "Referenced By", nullptr), &QAction::triggered, this,
            [this] { m_guard([this] { OpenReferences(true); }); });
    connect(AddItem(*table, "References1", "References", nullptr), &QAction::triggered, this,
            [this] { m_guard([this] { OpenReferences(false); }); });
    AddItem(*table, "RefreshScrollBox1", "Refresh", &TDiagramCommands::RefreshTable);
    AddItem(*table, "ShowHideFields1", "Show/Hide Fields", &TDiagramCommands::ShowHideFields);
    AddItem(*table, "FieldDisplayMask1", "Field Display Mask", &TDiagramCommands::FieldDisplayMask);
    AddItem(*table, "Sort1", "Sort", &TDiagramCommands::Sort);

    QMenu* options = m_popup->addMenu(QStringLiteral("Options"));
    options->menuAction()->setObjectName(QStringLiteral("ScrollBoxOptions1"));
    // The option items show and change the same state as the tool bar's buttons.
    for (auto [name, action] : {std::pair{"DragAllWithMouse1", MoveAllWithMouseAction},
                                std::pair{"ShowHints1", ShowHintsAction}}) {
        QAction* item = AddItem(*options, name, "", nullptr);
        item->setText(action->text());
        item->setCheckable(true);
        connect(item, &QAction::triggered, action, &QAction::setChecked);
        connect(action, &QAction::toggled, item, &QAction::setChecked);
    }
    AddItem(*options, "DefaultFieldMask1", "Default Field Mask",
            &TDiagramCommands::DefaultFieldMask);

    QMenu* layout = m_popup->addMenu(QStringLiteral("Layout"));
    layout->menuAction()->setObjectName(QStringLiteral("Layout1"));
    AddItem(*layout, "ClearScrollBox1", "Clear", &TDiagramCommands::Clear);
    AddItem(*layout, "LoadLayout1", "Load Layout", &TDiagramCommands::LoadLayout);
    AddItem(*layout, "SaveLayout1", "Save Layout", &TDiagramCommands::SaveLayout);
    AddItem(*layout, "SaveToBitmap1", "Save To Bitmap", &TDiagramCommands::SaveToBitmap);
    AddItem(*layout, "Print1", "Print", &TDiagramCommands::Print);
    AddItem(*m_popup, "Magnify1", "Zoom In", &TDiagramCommands::ZoomIn);
    AddItem(*m_popup, "Reduce1", "Zoom Out", &TDiagramCommands::ZoomOut);
}

void TDiagramCommands::FillToolBar(QToolBar& toolBar) const
{
    for (QAction* action : {ZoomOutAction, ZoomInAction, ClearAction, ShowHintsAction,
                            MoveAllWithMouseAction, DefaultFieldMaskAction, CloseSelectedAction})
        toolBar.addAction(action);
}

void TDiagramCommands::Run(void (TDiagramCommands::*handler)())
{
    m_guard([this, handler] { (this->*handler)(); });
}

void TDiagramCommands::AttachPane(TDiagramPane* pane)
{
    TDiagramDocument& document = pane->Document();
    document.Query = &m_host.Query();
    document.DefaultMask = m_defaultMask;
    if (m_pageHeight > 0)
        document.PageHeight = m_pageHeight;
    document.ShowStatus = [this](const std::string& text) {
        m_host.SetStatusText(Latin1Text(text));
    };
    if (m_host.TreeModel().Schema() != nullptr)
        document.ModelChanged(&m_host.Reader().Objects());
    connect(
        pane, &TDiagramPane::popupRequested, this,
        [this, pane](const TPopupState& state, const QPoint& at) { ShowPopup(pane, state, at); });
    connect(pane, &TDiagramPane::referencesRequested, this,
            [this](TGDBTable* table, bool referencedBy) {
                m_guard([&] {
                    if (table->SchemaObject != nullptr)
                        table->Document().OpenReferences(*table->SchemaObject, referencedBy);
                });
            });
    connect(pane, &TDiagramPane::failed, this, [this](const QString& message) {
        m_guard([&] { throw Exception(message.toStdString()); });
    });
    m_current = pane;
}

TDiagramPane* TDiagramCommands::CurrentPane() const
{
    return m_current.data();
}

void TDiagramCommands::ModelAboutToChange()
{
    for (TDiagramPane* pane : m_host.HostWidget()->findChildren<TDiagramPane*>())
        pane->Document().ModelAboutToChange();
}

void TDiagramCommands::ModelChanged()
{
    TObjectList* objects =
        m_host.TreeModel().Schema() != nullptr ? &m_host.Reader().Objects() : nullptr;
    for (TDiagramPane* pane : m_host.HostWidget()->findChildren<TDiagramPane*>())
        pane->Document().ModelChanged(objects);
}

// ---- The popup menu

void TDiagramCommands::ShowPopup(TDiagramPane* pane, const TPopupState& state,
                                 const QPoint& globalPos)
{
    m_popupPane = pane;
    m_popupObject = state.PopupObject;
    const auto setEnabled = [&](QMenu& menu, const auto& self) -> void {
        for (QAction* item : menu.actions()) {
            item->setEnabled(state.Enabled.contains(Bytes(item->objectName())));
            if (item->menu() != nullptr && item->menu() != m_addRefTo)
                self(*item->menu(), self);
        }
    };
    setEnabled(*m_popup, setEnabled);
    if (QAction* straight = m_popup->findChild<QAction*>(QStringLiteral("StraightLines1")))
        straight->setChecked(state.StraightChecked);

    m_addRefTo->clear();
    QAction* newTable = m_addRefTo->addAction(QStringLiteral("New Table"));
    newTable->setObjectName(kNewTableItem);
    connect(newTable, &QAction::triggered, this, [this] { AddRefTo(QString()); });
    // Entries are named after their tables; any character may stand in an object name, so
    // names with $ or # need no rewriting.
    for (const std::string& name : state.AddRefEntries) {
        QAction* entry = m_addRefTo->addAction(Latin1Text(name));
        entry->setObjectName(Latin1Text(name));
        connect(entry, &QAction::triggered, this,
                [this, target = Latin1Text(name)] { AddRefTo(target); });
    }
    m_popup->popup(globalPos);
}

TGDBComponent* TDiagramCommands::PopupComponent() const
{
    if (m_current == nullptr || m_popupPane != m_current || m_popupObject == nullptr)
        return nullptr;
    const auto& components = m_current->Document().Components();
    const bool alive = std::any_of(components.begin(), components.end(),
                                   [this](const auto& c) { return c.get() == m_popupObject; });
    return alive ? m_popupObject : nullptr;
}

TGDBTable* TDiagramCommands::PopupTable() const
{
    TGDBComponent* popup = PopupComponent();
    return popup != nullptr && popup->IsTable() ? static_cast<TGDBTable*>(popup) : nullptr;
}

// ---- Commands

void TDiagramCommands::CloseSelected()
{
    if (m_current != nullptr)
        m_current->Document().RemoveSelected(PopupComponent());
    m_popupObject = nullptr;
}

void TDiagramCommands::SendToBack()
{
    if (TGDBComponent* popup = PopupComponent())
        popup->Document().SendToBack(popup);
}

void TDiagramCommands::Straight()
{
    TGDBComponent* popup = PopupComponent();
    if (popup != nullptr && !popup->IsTable()) {
        auto* line = static_cast<TGDBLine*>(popup);
        line->SetStraight(!line->Straight());
    }
}

void TDiagramCommands::Group()
{
    if (m_current != nullptr)
        m_current->Document().Group();
}

void TDiagramCommands::GroupConnected()
{
    if (m_current != nullptr)
        m_current->Document().GroupConnected(PopupTable());
}

void TDiagramCommands::UngroupSelected()
{
    if (m_current != nullptr)
        m_current->Document().UngroupSelectedCommand();
}

// A reference drawn by hand from the popup table to the chosen one ("New Table" asks for a
// name and opens that table first), joined on the target's primary key.
void TDiagramCommands::AddRefTo(const QString& name)
{
    m_guard([&] {
        TGDBTable* from = PopupTable();
        if (from == nullptr)
            return;
        TDiagramDocument& document = m_current->Document();
        QString target = name;
        if (target.isEmpty()) {
            const auto typed = Dialogs().InputText(m_host.HostWidget(), QStringLiteral("New Table"),
                                                   QStringLiteral("Table name:"), QString());
            if (!typed || typed->trimmed().isEmpty())
                return;
            target = typed->trimmed();
        }
        TGDBTable* to = document.FindDiagramTable(Bytes(target));
        if (to == nullptr)
            to = &NewTableNamed(document, Bytes(target));
        document.AddManualReference(*from, *to);
    });
}

TGDBTable& TDiagramCommands::NewTableNamed(TDiagramDocument& document, const std::string& name)
{
    if (TObjectItem* object = document.FindModelTable(name))
        return document.AddTableForObject(*object);
    return document.AddTableByName(name);
}

void TDiagramCommands::OpenReferences(bool referencedBy)
{
    TGDBTable* table = PopupTable();
    if (table != nullptr && table->SchemaObject != nullptr)
        table->Document().OpenReferences(*table->SchemaObject, referencedBy);
}

void TDiagramCommands::RefreshTable()
{
    if (TGDBTable* table = PopupTable())
        table->SetTableName(table->TableName());
}

void TDiagramCommands::ShowHideFields()
{
    if (TGDBTable* table = PopupTable())
        table->SetShowFields(!table->ShowFields());
}

void TDiagramCommands::FieldDisplayMask()
{
    TGDBTable* table = PopupTable();
    if (table == nullptr)
        return;
    const QString initial = Latin1Text(table->ShowMask());
    const auto mask = Dialogs().InputText(
        m_host.HostWidget(), QStringLiteral("Field Display Format"), kMaskPrompt, initial);
    table->SetShowMask(Bytes(mask.value_or(initial)));
}

void TDiagramCommands::Sort()
{
    if (TGDBTable* table = PopupTable())
        table->SortColumns();
}

void TDiagramCommands::DefaultFieldMask()
{
    const QString initial = Latin1Text(m_defaultMask);
    const auto mask = Dialogs().InputText(
        m_host.HostWidget(), QStringLiteral("Default Field Display Format"), kMaskPrompt, initial);
    if (!mask)
        return;
    // Tables already on the panes keep their masks; tables added later take the new one.
    m_defaultMask = Bytes(*mask);
    for (TDiagramPane* pane : m_host.HostWidget()->findChildren<TDiagramPane*>())
        pane->Document().DefaultMask = m_defaultMask;
}

void TDiagramCommands::Clear()
{
    if (m_current != nullptr)
        m_current->Document().Clear();
    m_popupObject = nullptr;
}

void TDiagramCommands::Zoom(bool in)
{
    if (m_current == nullptr)
        return;
    const int scale = m_current->Document().CurrentScale();
    const QPoint centre = m_current->viewport()->rect().center();
    if (in && scale > 1)
        m_current->SetScale(scale / 2, centre);
    else if (!in && scale < TDiagramDocument::kMaxScale)
        m_current->SetScale(scale * 2, centre);
}

void TDiagramCommands::ZoomIn()
{
    Zoom(true);
}

void TDiagramCommands::ZoomOut()
{
    Zoom(false);
}

// ---- Outputs

void TDiagramCommands::AutomaticSQL()
{
    if (m_current == nullptr)
        return;
    const TAutoSqlParts parts = BuildAutoSql(m_current->Document());
    auto* form = new TAutoSQLForm(m_host.Session(), m_host.HostWidget(), parts.Fields, parts.From,
                                  parts.Where, [this](const QString& statement) {
                                      if (OpenInSqlPane)
                                          OpenInSqlPane(statement);
                                  });
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
}

void TDiagramCommands::SaveLayout()
{
    if (m_current == nullptr)
        return;
    const auto file = Dialogs().SaveFileName(
        m_host.HostWidget(), {QStringLiteral("Save Layout To"), kSaveFilter, ProposedLayoutName(),
                              QStringLiteral("LYT"), kLayoutFilter});
    if (file)
        quorvex::SaveLayout(m_current->Document(), FileName(*file));
}

void TDiagramCommands::LoadLayout()
{
    if (m_current == nullptr)
        return;
    const auto file = Dialogs().OpenFileName(
        m_host.HostWidget(), {QStringLiteral("Load Layout From"), kOpenFilter, ProposedLayoutName(),
                              QStringLiteral("LYT"), kLayoutFilter});
    if (file)
        quorvex::LoadLayout(m_current->Document(), FileName(*file), m_current->ToDiagram({0, 0}));
}

void TDiagramCommands::SaveToBitmap()
{
    if (m_current == nullptr)
        return;
    const auto file = Dialogs().SaveFileName(
        m_host.HostWidget(), {QStringLiteral("Save Image To"), kPictureFilter,
                              QStringLiteral("bitmap.bmp"), QStringLiteral("bmp"), QString()});
    if (!file)
        return;
    const std::string name = FileName(*file);
    SaveDiagramPicture(m_current->Document(), name, ImageFormatFor(name),
                       m_current->viewport()->size());
}

void TDiagramCommands::Print()
{
    if (m_current == nullptr)
        return;
    const QString answer =
        Dialogs()
            .InputText(m_host.HostWidget(), QStringLiteral("Scale"), QStringLiteral("1-16"),
                       QString::number(kDefaultPrintScale))
            .value_or(QString::number(kDefaultPrintScale));
    bool number = false;
    int scale = answer.trimmed().toInt(&number);
    if (!number)
        scale = kDefaultPrintScale;
    const TDiagramDocument& document = m_current->Document();
    const QSize view = m_current->viewport()->size();
    // A failure inside the preview's painting is carried out of the dialog and shown after.
    std::exception_ptr failure;
    Dialogs().Print(m_host.HostWidget(), QStringLiteral("Plennic Diagram"), [&](QPrinter& printer) {
        try {
            PrintDiagram(document, printer, scale, view);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace quorvex
