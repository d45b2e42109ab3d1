#include "EditorFixture.h"
#include "editors/ControlNames.h"
#include "editors/FormRows.h"
#include "editors/NumericOnly.h"
#include "editors/SettingsEditor.h"
#include "store/KeyRegistry.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

// The smallest editor: one array of boxes whose check sends the focus back
// and whose repair is "0".
class ProbeEditor final : public SettingsEditor {
public:
    explicit ProbeEditor(AppContext& context) : SettingsEditor(context, {&SettingsTables::TimersChanged}, nullptr)
    {
        auto* grid = new QGridLayout(this);
        for (int i = 1; i <= Count::Ports; ++i)
            AddBoxRow(grid, i, QString::number(i), ControlName("Probe", i), "s");
        FieldSpec f = Row(Bind(&SettingsTables::HangTime, &SettingsTables::HangTimeChanged));
        f.range = Between(1, 255, "The value must be between 1 and 255");
        f.range->repair = RangeRule::Repair::Zero;
        f.range->refocus = true;
        f.reader = &FindStem("HangTime").rule;
        bindBox(copies().add(f), "Probe", {true, {}});
        loadControls();
    }
};

struct SettingsEditorTest : EditorFixture {
    void SetUp() override
    {
        tables.HangTime.fill("50");
        tables.DataSaved = true;
    }
};

TEST_F(SettingsEditorTest, ARefusedBoxGetsTheFocusBackOnlyWhileItsEditorIsShown)
{
    // The editor as a page of a window, as the tab strip shows it.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new ProbeEditor(context);
    auto* outside = new QLineEdit;
    layout->addWidget(editor);
    layout->addWidget(outside);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* first = editor->findChild<QLineEdit*>("Probe(1)");
    auto* second = editor->findChild<QLineEdit*>("Probe(2)");

    first->setFocus();
    type(first, "0");
    second->setFocus();
    EXPECT_EQ(messages(), QStringList{"The value must be between 1 and 255"});
    EXPECT_EQ(first->text(), "0");
    EXPECT_TRUE(first->hasFocus());

    // The tab strip hides the editor before it applies: no focus goes back.
    type(first, "300");
    editor->hide();
    EXPECT_EQ(messages().size(), 2) << "hiding the editor left the box";
    EXPECT_FALSE(first->hasFocus());
    EXPECT_EQ(first->text(), "0");
    editor->DoApply();
    EXPECT_EQ(messages().size(), 2) << "checked once";
    EXPECT_EQ(tables.HangTime[1], "0");
}

TEST_F(SettingsEditorTest, AnEmptyBoxIsStoredAsZeroWhereTheRepairIsZero)
{
    ProbeEditor editor(context);
    auto* box = editor.findChild<QLineEdit*>("Probe(3)");
    box->setText("");
    editor.DoApply();
    EXPECT_EQ(messages(), QStringList{"The value must be between 1 and 255"});
    EXPECT_EQ(tables.HangTime[3], "0");
    EXPECT_TRUE(tables.HangTimeChanged[3]);
    EXPECT_FALSE(tables.DataSaved);
}

TEST_F(SettingsEditorTest, TheProgramsOwnTextRunsTheChangeHandlingOnlyWhenTheTextChanges)
{
    ProbeEditor editor(context);
    auto* box = editor.findChild<QLineEdit*>("Probe(1)");
    box->setText("60");
    EXPECT_TRUE(red(box));
    box->setText("50");
    EXPECT_FALSE(red(box));
    EXPECT_EQ(editor.findChild<QLineEdit*>("Probe(1)"), box);
    editor.DoApply();
    EXPECT_FALSE(tables.HangTimeChanged.any(true));
}

TEST(NumericOnly, TheBoxTakesDigitsOnly)
{
    QLineEdit box;
    SetNumericOnly(&box);
    QTest::keyClicks(&box, "1a2-3 .4");
    EXPECT_EQ(box.text(), "1234");
}

} // namespace
