#include "editors/macros/Macros.h"

#include "editors/PortSets.h"
#include "editors/macros/MacroCatalogue.h"
#include "editors/macros/MacroText.h"
#include "link/CommandCatalogue.h"
#include "link/ControllerLink.h"
#include "store/AppContext.h"
#include "store/ProgramName.h"
#include "store/TextHelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>

using S = SettingsTables;

namespace {

// The settings and controls of one kind of macro.
struct KindRow {
    const char* contentsBox;
    const char* codeBox;
    TextArray S::* contents;
    FlagArray S::* contentsFlag;
    TextArray S::* code;
    FlagArray S::* codeFlag;
    int first;
    int limit; // function slots
    bool collapsedOnLeaving; // short macros only at Apply, as they always were
};
const KindRow KindRows[] = {
    {"MacroSet", "MacroCodeSet", &S::Macro, &S::MacroChanged, &S::MacroCode, &S::MacroCodeChanged, 1, LongMacroSlots,
     true},
    {"ShortMacroSet", "ShortMacroCodeSet", &S::ShortMacro, &S::ShortMacroChanged, &S::ShortMacroCode,
     &S::ShortMacroCodeChanged, Count::LongMacros + 1, ShortMacroSlots, false},
};
constexpr int RunCodeLength = 8;
const QString DtmfKeys = QStringLiteral("0123456789ABC*#");

// Typing is free, told once as the text passes the slots (and on entering a
// stored macro over them); only a function put in from the list
// (`inserting`) is held to the slots.
FormRow contentsRow(const KindRow& kind, const bool& inserting)
{
    FieldDefinition f = Field(Bind(kind.contents, kind.contentsFlag), &Intake::UpperCollapsed, LoadForm::ShownTrimmed);
    f.caption = QStringLiteral("Macro");
    f.firstNumber = kind.first;
    if (kind.collapsedOnLeaving)
        f.tidy = &Intake::UpperCollapsed;
    f.gate = [limit = kind.limit](const QString& copy) { return MacroFault(copy, limit); };
    f.check = RefusingChange(
        [&inserting, limit = kind.limit](const QString& text, const QString&) {
            return inserting && MacroSlots(text) > limit;
        },
        TooManyFunctionsText(kind.limit));
    f.check->when = FieldCheck::When::Change;
    f.check->repair = FieldCheck::Repair::Undo;
    f.warning = FieldWarning{[limit = kind.limit](const QString& text) { return MacroSlots(text) > limit; },
                             TooManyFunctionsText(kind.limit), MessageStyle{}};
    return {{}, QString::fromLatin1(kind.contentsBox), {}, TextBoxEmptyAs(NoneStored, NoneStored), f};
}

FormRow codeRow(const KindRow& kind)
{
    FieldDefinition f = Field(Bind(kind.code, kind.codeFlag), &Intake::AsTyped, LoadForm::ShownTrimmed);
    f.caption = QStringLiteral("Run code");
    f.firstNumber = kind.first;
    f.check = Plain(Refusing([](const QString& t) { return t.size() > RunCodeLength; },
                             QStringLiteral("This code must be 8 characters long or less. Please try again.")));
    f.check->when = FieldCheck::When::Change;
    f.check->repair = FieldCheck::Repair::Empty;
    f.check->refocus = true;
    return {{}, QString::fromLatin1(kind.codeBox), {}, TextBoxTaking(DtmfKeys), f};
}

struct Page {
    const char* caption;
    int first;
    int last;
};
const Page Pages[] = {
    {"1-10", 1, 10},   {"11-20", 11, 20}, {"21-30", 21, 30}, {"31-40", 31, 40},
    {"41-60", 41, 60}, {"61-80", 61, 80}, {"81-90/Port Restrictions", 81, 90},
};
constexpr int RowsPerColumn = 10;

// The seven sets a macro can be run from: a macro always runs from some port,
// so the access code editor's "NONE" is no choice here.
std::vector<ListEntry> MacroPortSets() { return {PortSetEntries().begin() + 1, PortSetEntries().end()}; }

} // namespace

Macros::Macros(AppContext& context, ControllerLink& link, QWidget* parent)
    : SettingsEditor(context, {&S::MacrosChanged}, parent), m_link(link)
{
    setWindowTitle(QStringLiteral("Macros"));
    for (std::size_t k = 0; k < m_kinds.size(); ++k) {
        const KindRow& row = KindRows[k];
        Kind& kind = m_kinds[k];
        kind.first = row.first;
        kind.limit = row.limit;
        kind.contentsRow = contentsRow(row, m_inserting);
        kind.codeRow = codeRow(row);
    }
    QTabWidget* pages = EditorPages(QStringLiteral("SSTab1"));
    for (const Page& p : Pages)
        pages->addTab(page(p.first, p.last), QString::fromLatin1(p.caption));
    // The last page also holds the port restrictions, under its macros.
    static_cast<QBoxLayout*>(pages->widget(pages->count() - 1)->layout())->addWidget(portFrame());
    for (int p = 0; p < pages->count(); ++p)
        static_cast<QBoxLayout*>(pages->widget(p)->layout())->addStretch();

    setInsertionBoxes({m_kinds[0].contents, m_kinds[1].contents});
    setInsertionTarget(m_kinds[0].contents, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addWidget(functionPanel());
    loadControls();
}

QWidget* Macros::page(int first, int last)
{
    auto* grid = new QGridLayout;
    for (int m = first; m <= last; ++m) {
        const std::size_t k = m < m_kinds[1].first ? 0 : 1;
        Kind& kind = m_kinds[k];
        const int i = m - kind.first + 1;
        const int column = 3 * ((m - first) / RowsPerColumn);
        const int line = (m - first) % RowsPerColumn + 1;
        if (line == 1) {
            grid->addWidget(new QLabel(QStringLiteral("Functions")), 0, column + 1);
            grid->addWidget(new QLabel(QStringLiteral("Code")), 0, column + 2);
            grid->setColumnStretch(column + 1, 1); // the room goes to the functions
        }
        FormRow contents = kind.contentsRow;
        FormRow code = kind.codeRow;
        contents.caption = code.caption = QString::number(m);
        auto* box = static_cast<QLineEdit*>(addControl(contents, At(i)));
        box->setMaximumWidth(QWIDGETSIZE_MAX);
        box->setMinimumWidth(k == 0 ? 420 : 150);
        auto* codeBox = static_cast<QLineEdit*>(addControl(code, At(i)));
        codeBox->setMaximumWidth(90);

        grid->addWidget(new QLabel(QString::number(m)), line, column, Qt::AlignRight);
        grid->addWidget(box, line, column + 1);
        grid->addWidget(codeBox, line, column + 2);
        kind.contents = fieldOf(contents.field.setting);
        kind.code = fieldOf(code.field.setting);
        kind.boxes.resize(i + 1);
        kind.boxes[i] = box;
    }
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->addLayout(grid);
    return widget;
}

QWidget* Macros::portFrame()
{
    const int macro = addSelector(QStringLiteral("MacroNum"), Count::Macros);
    FieldDefinition ports = Field(Bind(&S::PortToAllow, &S::PortToAllowChanged));
    ports.caption = QStringLiteral("Ports Allowed To Run From");
    ports.sections = {{&S::MacroPortsChanged}};
    QWidget* list = addControl({ports.caption, QStringLiteral("PortToAllow"), {},
                                ListShowingNoEntryAs(MacroPortSets(), QString()), ports},
                               ChosenBy(macro));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Macro Number")), 0, 0);
    grid->addWidget(selectorList(macro), 0, 1);
    grid->addWidget(new QLabel(ports.caption), 1, 0);
    grid->addWidget(list, 1, 1);
    auto* frame = Frame(QStringLiteral("Macro Port Assignments"), grid);
    frame->setMaximumWidth(420);
    return frame;
}

QWidget* Macros::functionPanel()
{
    m_functions = new QListWidget;
    m_functions->setObjectName(QStringLiteral("FunctionList"));
    for (const FunctionRow& row : FunctionListRows()) {
        auto* item = new QListWidgetItem(row.text, m_functions);
        item->setData(Qt::UserRole, row.number);
    }
    m_functions->setMinimumWidth(300);
    m_functions->setToolTip(QStringLiteral("Double-click a function to put it into the macro box last entered"));
    connect(m_functions, &QListWidget::itemDoubleClicked, this,
            [this](const QListWidgetItem* item) { BuildMacro(item->data(Qt::UserRole).toInt()); });

    m_counter = CounterBox(QStringLiteral("CharCounter"));
    auto* erase = new QPushButton(QStringLiteral("&Erase All Macros"));
    erase->setObjectName(QStringLiteral("Erase"));
    connect(erase, &QPushButton::clicked, this, &Macros::Erase_Click);

    auto* headings = new QHBoxLayout;
    headings->addWidget(new QLabel(QStringLiteral("Number")));
    headings->addWidget(new QLabel(QStringLiteral("Descriptiion")), 1);
    auto* counter = new QHBoxLayout;
    counter->addWidget(new QLabel(QStringLiteral("Function Counter")));
    counter->addWidget(m_counter);
    counter->addStretch();
    QBoxLayout* buttons = applyButtons(Qt::Horizontal, QStringLiteral("CancelChanges"),
                                       QStringLiteral("&Cancel Changes"));
    buttons->insertWidget(0, erase);

    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Function List")));
    layout->addLayout(headings);
    layout->addWidget(m_functions, 1);
    layout->addLayout(counter);
    layout->addLayout(buttons);
    return panel;
}

Macros::Kind* Macros::kindOf(int field)
{
    for (Kind& k : m_kinds)
        if (k.contents == field || k.code == field)
            return &k;
    return nullptr;
}

void Macros::BuildMacro(int number)
{
    if (number <= 0)
        return;
    const QScopedValueRollback inserting(m_inserting, true);
    insertAtTarget(FunctionCode(number), InsertionRule{});
}

void Macros::Erase_Click()
{
    Dialogs& dialogs = context().dialogs;
    if (dialogs.message(QStringLiteral("Erase All Macros"),
                        QStringLiteral("Are you sure you want to erase all macros (this will cause an immediate "
                                       "update to be sent)?"),
                        Dialogs::Buttons::YesNo)
        != Dialogs::Answer::Yes)
        return;
    AtOnce erase;
    erase.commands = {BuildCommand(CommandId::EraseAllMacros, context().tables)};
    erase.serialPausesMs = {50};
    erase.closePortAfter = true;
    if (!sendAtOnce(m_link, erase))
        return; // the link has told why; the macros stand as they were
    // The controller holds them already: no item flag, but the file must be
    // saved, and every box shows the empty macro, an edit in it too.
    const StorePolicy erased{false, {&S::MacrosChanged}, true};
    for (int i = 1; i <= Count::LongMacros; ++i)
        storeNow(Bind(&S::Macro, &S::MacroChanged), i, NoneStored, erased);
    for (int j = 1; j <= Count::ShortMacros; ++j)
        storeNow(Bind(&S::ShortMacro, &S::ShortMacroChanged), j, NoneStored, erased);
    dialogs.message(ProgramName, QStringLiteral("All Macros have been erased, both in Zarn and in the Tarvex. You "
                                                "should resave your dat file now to reflect these changes."));
}

void Macros::count(const Kind& kind, int index)
{
    m_counter->setText(QString::number(MacroSlots(kind.boxes[index]->text())));
}

void Macros::changed(int field, int index)
{
    const Kind* kind = kindOf(field);
    if (!kind || field != kind->contents)
        return;
    QLineEdit* box = kind->boxes[index];
    const QString text = box->text();
    box->setToolTip(text.isEmpty() || text == NoneStored ? QString() : DescribeMacro(text));
    if (m_inserting || m_entered == FieldElement{field, index})
        count(*kind, index);
}

void Macros::entered(int field, int index)
{
    const Kind* kind = kindOf(field);
    if (!kind || field != kind->contents)
        return;
    m_entered = FieldElement{field, index};
    count(*kind, index);
}

void Macros::left(int field, int index, bool typed)
{
    const Kind* kind = kindOf(field);
    if (!kind)
        return;
    if (field == kind->contents)
        m_entered.reset();
    else if (typed && copies().copy(field, index).isEmpty())
        edit(field, index, DefaultRunCode(kind->first + index - 1));
}

std::optional<SettingsEditor::Refusal> Macros::vetoApply()
{
    // A tab change applies with the focus still in a box: an emptied run code
    // takes its default as leaving the box would give it.
    for (const Kind& kind : m_kinds)
        for (int i = 1; i <= copies().count(kind.code); ++i)
            if (copies().copy(kind.code, i).isEmpty())
                edit(kind.code, i, DefaultRunCode(kind.first + i - 1));
    return std::nullopt;
}

void Macros::afterApply(const std::vector<FieldElement>& written)
{
    // Each stored macro shows as it was stored: blanks collapsed, upper case.
    for (const FieldElement& e : written)
        if (const Kind* kind = kindOf(e.field); kind && e.field == kind->contents)
            edit(e.field, e.index, copies().copy(e.field, e.index));
}
