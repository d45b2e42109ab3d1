#include "MainFixture.h"

#include "RecordingTransport.h"
#include "editors/SettingsEditor.h"
#include "link/ChangesUpload.h"
#include "store/KeyRegistry.h"

#include <QApplication>
#include <QClipboard>

namespace {

bool HoldsControl(const QString& text)
{
    return std::ranges::any_of(text, [](QChar c) { return c.category() == QChar::Other_Control; });
}

struct Paste {
    const char* name;
    QString text;
};

// A line break, or another control character, pasted between the digits of a value.
const Paste Pastes[] = {
    {"CR", QStringLiteral("12\r34")},
    {"LF", QStringLiteral("12\n34")},
    {"CRLF", QStringLiteral("12\r\n34")},
    {"TAB", QStringLiteral("12\t34")},
    {"NUL", QStringLiteral("12") + QChar(0) + QStringLiteral("34")},
};

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
    QApplication::clipboard()->setText(GetParam().text);
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

INSTANTIATE_TEST_SUITE_P(EveryBox, PastedTextTest, ::testing::ValuesIn(Pastes),
                         [](const ::testing::TestParamInfo<Paste>& info) { return std::string(info.param.name); });
