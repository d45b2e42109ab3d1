#include "MainFixture.h"

#include "RecordingTransport.h"
#include "editors/SettingsEditor.h"
#include "link/ChangesUpload.h"
#include "link/ManualSendData.h"
#include "platform/QtDialogs.h"
#include "store/KeyRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <span>

namespace {

bool HoldsControl(const QString& text)
{
    return std::ranges::any_of(text, [](QChar c) { return c.category() == QChar::Other_Control; });
}

struct Paste {
    const char* name;
    QString breaks; // what is pasted between the digits
    QString text() const { return "12" + breaks + "34"; }
};

void PrintTo(const Paste& paste, std::ostream* os) { *os << paste.name; }

// A line break, or another control character, pasted between the digits of a value.
const Paste Pastes[] = {
    {"CR", QStringLiteral("\r")},
    {"LF", QStringLiteral("\n")},
    {"CRLF", QStringLiteral("\r\n")},
    {"TAB", QStringLiteral("\t")},
    {"NUL", QString(QChar(0))},
};

using Gesture = std::function<void(QLineEdit*)>;

struct Way {
    const char* name;
    Gesture paste;
};

void PasteFromMenu(QLineEdit* box)
{
    QContextMenuEvent open(QContextMenuEvent::Mouse, box->rect().center(), box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(box, &open);
    QMenu* menu = nullptr;
    for (QMenu* shown : box->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        if (shown->isVisible())
            menu = shown;
    ASSERT_TRUE(menu) << box->objectName().toStdString();
    const QList<QAction*> items = menu->actions();
    const auto paste = std::ranges::find_if(items, [](QAction* a) { return a->text().startsWith("&Paste"); });
    ASSERT_NE(paste, items.end());
    (*paste)->trigger();
    menu->close();
}

// The ways a user pastes into a box (the middle button aside: the test
// platform has no selection clipboard).
const Way Ways[] = {
    {"Ctrl+V", [](QLineEdit* box) { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); }},
    {"Shift+Insert", [](QLineEdit* box) { QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); }},
    {"the menu's Paste", &PasteFromMenu},
};

// What the box shows after each step: select all and typing, a paste at the
// caret right after the typing, a paste over the whole text, typing after it,
// then an undo for each of those four.
QStringList UndoTrace(QLineEdit* box, const Gesture& paste, const QString& pasted)
{
    QApplication::clipboard()->setText(pasted);
    QStringList shown;
    const auto step = [&](const std::function<void()>& act) {
        act();
        shown << box->text();
    };
    step([&] {
        box->selectAll();
        QTest::keyClicks(box, "5");
    });
    step([&] { paste(box); });
    step([&] {
        box->selectAll();
        paste(box);
    });
    step([&] { QTest::keyClicks(box, "7"); });
    for (int n = 0; n < 4; ++n)
        step([&] { QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); });
    return shown;
}

// Each of `ways` of pasting "1", `breaks` and "2" into the box is one undo
// step, as Qt's own paste of a clean "12" is, and keeps the steps before and
// after it; so is a clean paste. A box that does something of its own with
// these digits (a range refused as typed) is left out and not counted.
void ExpectPasteIsOneUndoStep(QLineEdit* box, const QString& breaks, std::span<const Way> ways, int& checked)
{
    const QString before = box->text();
    const QStringList steps = {"5", "512", "12", "127", "12", "512", "5", before};
    if (UndoTrace(box, [](QLineEdit* b) { b->paste(); }, "12") != steps)
        return;
    for (const Way& way : ways)
        for (const QString& pasted : {"1" + breaks + "2", QStringLiteral("12")})
            EXPECT_EQ(UndoTrace(box, way.paste, pasted), steps)
                << box->objectName().toStdString() << ", " << way.name
                << (pasted.size() == 2 ? ", a clean paste" : ", a paste with its breaks");
    ++checked;
}

} // namespace

// The program's own editors on the sample configuration: the text is pasted
// over every box of every editor, each editor applies what it takes (an edit
// it refuses is cancelled), and a changes-only upload follows.
class PastedTextTest : public MainFixture, public ::testing::WithParamInterface<Paste> {
protected:
    void SetUp() override
    {
        file = datFile("paste.dat");
        makeTabs = [] { return EditorTabs(); };
        startOn(file);
        dialogs.clear();
    }
    QString file;
};

TEST_P(PastedTextTest, NoControlCharacterReachesABoxASettingTheFileOrACommand)
{
    QApplication::clipboard()->setText(GetParam().text());
    int pasted = 0;
    for (int tab = 0; tab < main->editors().count(); ++tab) {
        EditorWindow* editor = main->editors().load(tab);
        for (QLineEdit* box : editor->findChildren<QLineEdit*>()) {
            if (box->isReadOnly())
                continue;
            box->selectAll();
            box->paste();
            EXPECT_FALSE(HoldsControl(box->text())) << box->objectName().toStdString();
            pasted += box->text().contains("1234");
        }
        // Apply sends no new access code here; what it refuses is put back.
        if (!editor->applyForCommand())
            if (auto* settings = qobject_cast<SettingsEditor*>(editor))
                settings->CancelChanges_Click();
    }
    EXPECT_GT(pasted, 60) << "the paste went into the boxes, its control character dropped";

    for (const KeyStem& stem : KeyRegistry())
        for (int i = 1; i <= stem.count; ++i)
            EXPECT_FALSE(HoldsControl(stem.setting.at(tables, i))) << stem.name.toStdString() << " " << i;

    SettingsTables saved = tables;
    saved.setAllSectionFlags(true);
    ASSERT_TRUE(WriteDatFile(saved, profile).ok());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromLatin1(f.readAll()).split("\r\n"))
        EXPECT_FALSE(HoldsControl(line)) << line.toStdString();

    // Each command's one line, and its keys, hold nothing that would end it
    // early or add a command of its own.
    for (const bool dtmf : {false, true}) {
        SettingsTables sent = tables;
        RecordingTransport link(dtmf);
        ScriptedDialogs upload;
        (void)ChangesUpload(sent, link, upload).run();
        EXPECT_GT(link.sent().size(), 20u);
        for (const RecordingTransport::Sent& s : link.sent()) {
            EXPECT_LE(s.command.serialLines.size(), 1) << s.command.serialLines.join('|').toStdString();
            for (const QString& line : s.command.serialLines)
                EXPECT_FALSE(HoldsControl(line)) << line.toStdString();
            for (const DtmfPart& part : s.command.dtmf)
                EXPECT_FALSE(HoldsControl(part.text)) << part.text.toStdString();
        }
    }
}

// Every box of every editor, the manual window's and the program's own input
// dialog's: a paste whose control characters were dropped can be undone.
TEST_P(PastedTextTest, APasteWithoutItsControlCharactersIsOneUndoStep)
{
    // The editors' boxes take turns at the ways of pasting.
    int checked = 0;
    for (int tab = 0; tab < main->editors().count(); ++tab)
        for (QLineEdit* box : main->editors().load(tab)->findChildren<QLineEdit*>())
            if (!box->isReadOnly())
                ExpectPasteIsOneUndoStep(box, GetParam().breaks, std::span(Ways).subspan(checked % std::size(Ways), 1),
                                         checked);
    EXPECT_GT(checked, 300) << "most boxes take these digits as typed";

    ManualSendData manual(*context, main->controller(), main.get());
    manual.show();
    int manualChecked = 0;
    ExpectPasteIsOneUndoStep(manual.findChild<QLineEdit*>("ManualSendData"), GetParam().breaks, Ways, manualChecked);
    EXPECT_EQ(manualChecked, 1);

    QtDialogs real(main.get());
    int asked = 0;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QInputDialog*>(modal))
            ExpectPasteIsOneUndoStep(dialog->findChild<QLineEdit*>(), GetParam().breaks, Ways, asked);
        if (modal)
            modal->close();
    });
    (void)real.input("Set KeyUp Delay", "Enter the delay time in milliseconds", "40");
    EXPECT_EQ(asked, 1);
}

INSTANTIATE_TEST_SUITE_P(EveryBox, PastedTextTest, ::testing::ValuesIn(Pastes),
                         [](const ::testing::TestParamInfo<Paste>& info) { return std::string(info.param.name); });
