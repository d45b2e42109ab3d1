#include "editors/macros/MacroCatalogue.h"

#include <QHash>
#include <initializer_list>

namespace {

// Functions first..last whose wording differs only in one number, which
// counts up from `from`: {1, 3, "Port %1 CTCSS Access"} stands for the three
// ports' entries. A wording without "%1" is a single function.
struct Run {
    int first;
    int last;
    const char* wording;
    int from = 1;
};
using Group = std::initializer_list<Run>;

// The list's groups in order; a separator row stands between each two.
const std::initializer_list<Group> Groups{
    {{1, 3, "Port %1 CTCSS Access"}, {4, 6, "Port %1 Carrier Access"}},
    {{7, 9, "Port %1 DTMF Covertone ON"}, {10, 12, "Port %1 DTMF Covertone OFF"}},
    {{13, 15, "Port %1 Transmit Enable"}, {16, 18, "Port %1 Transmit Disable"}},
    {{19, 19, "Monitor Port 1 from Port 2"}, {20, 20, "Monitor Port 1 from Port 3"},
     {21, 21, "Disconnect Port 1 from Port 2"}, {22, 22, "Disconnect Port 1 from Port 3"},
     {23, 23, "Monitor Port 2 from Port 1"}, {24, 24, "Monitor Port 2 from Port 3"}},
    {{25, 25, "Disconnect Port 2 from Port 1"}, {26, 26, "Disconnect Port 2 from Port 3"},
     {27, 27, "Monitor Port 3 from Port 1"}, {28, 28, "Monitor Port 3 from Port 2"},
     {29, 29, "Disconnect Port 3 from Port 1"}, {30, 30, "Disconnect Port 3 from Port 2"}},
    {{31, 33, "Port %1 Monitor Mute"}, {34, 36, "Port %1 Monitor Mix"}},
    {{37, 39, "Port %1 Repeat ON"}, {40, 42, "Port %1 Repeat OFF"}},
    {{43, 45, "Port %1 Speech Override ON"}, {46, 48, "Port %1 Speech Override OFF"}},
    {{49, 57, "Port 1 Courtesy Tone %1"}, {58, 58, "Port 1Courtesy Tone 10"}},
    {{59, 59, "Port 2 Courtesy Tone 1"}, {60, 60, "Port 2 Courtesy Tone 2  "}, {61, 68, "Port 2 Courtesy Tone %1", 3}},
    {{69, 78, "Port 3 Courtesy Tone %1"}},
    {{79, 81, "Port %1 DTMF Mute ON"}, {82, 84, "Port %1 DTMF Mute OFF"}},
    {{85, 85, "CTCSS Encode ON"}, {86, 86, "CTCSS Encode OFF"}},
    {{87, 89, "Read ADC Channel %1"}, {90, 90, "Read ADC Channel 4  "}, {91, 94, "Read ADC Channel %1", 5}},
    {{95, 101, "UF%1 ON"}, {102, 108, "UF%1 OFF"}, {109, 115, "UF%1 Pulse"}},
    {{116, 116, "Say Time"}, {117, 117, "Say Date"}},
    {{118, 118, "Link Port 1 to Port 2"}, {119, 119, "Link Port 1 to Port 3"}, {120, 120, "Link Port 2 to Port 3"},
     {121, 121, "Link All Ports"}, {122, 122, "Unlink Port1 from Port 2"}, {123, 123, "Unlink Port 1 from Port 3"},
     {124, 124, "Unlink Port 2 from Port 3"}, {125, 125, "Unlink All Ports"}},
    {{126, 145, "Play DVR Track %1"}},
    {{146, 148, "Auxiliary Audio %1 ON"}, {149, 151, "Auxiliary Audio %1 OFF"}},
    {{152, 156, "Alarm %1 ON"}, {157, 161, "Alarm %1 OFF"}},
    {{162, 164, "Speech Out Port %1"}, {165, 165, "Speech Out Ports 1 & 2"}, {166, 166, "Speech Out Ports 1 & 3"},
     {167, 167, "Speech Out Ports 2 & 3"}, {168, 168, "Speech Out All Ports"}},
    {{169, 171, "Port %1 DTMF Enable"}, {172, 174, "Port %1 DTMF Disable"}},
    {{175, 177, "Port %1 Need CTCSS/DTMF"}, {178, 180, "Port %1 Not Need CTCSS/DTMF"}},
    {{181, 183, "Play Port %1 Voice ID"}, {184, 186, "Play Port %1 CW ID"}},
    {{187, 226, "Play Message Macro %1"}},
    {{227, 227, "Good Mor/After/Eve"}},
    {{228, 228, "Macro Priority High"}, {229, 229, "Macro Priority Low"}},
    {{230, 232, "Port %1 Kerchunk Filter Enable"}, {233, 235, "Port %1 Kerchunk Filter Disable"}},
    {{236, 238, "Port %1 Receiver Enable"}, {239, 241, "Port %1 Receiver Disable"}},
    {{242, 244, "Port %1 Speech ID Override ON"}, {245, 247, "Port %1 Speech ID Override OFF"}},
    {{248, 250, "Port %1 All Courtesy Tones OFF"}},
    {{251, 251, "Force Audio to Entered Port"}},
    {{252, 254, "Port %1 Stop ID/TimeOut"}, {256, 258, "Port %1 Resume ID/TimeOut"}},
    {{259, 278, "Send DTMF Memory %1"}},
    {{279, 279, "Reset All Meter Hi/Low"}, {280, 287, "Reset Meter %1 Hi/Low"}},
    {{288, 295, "Enable Meter %1 Alarm"}},
    {{296, 303, "Disable Meter %1 Alarm"}},
    {{304, 304, "CTCSS Encode Force OFF"}, {305, 305, "CTCSS Encode Programmed Value"}},
    {{306, 306, "Bump Clock By Correction Factor"}, {307, 307, "Say Year As Part of Date"},
     {308, 308, "Don't Say Year"}},
    {{309, 311, "Port %1 Tail Message OFF"}, {312, 314, "Port %1 Tail Message 1"}, {315, 317, "Port %1 Tail Message 2"},
     {318, 320, "Port %1 Tail Message 3"}},
    {{321, 330, "Remote Base Memory %1"}},
    {{331, 333, "Port %1 Zero Hang Time"}, {334, 336, "Port %1 Programmed Hang Time"}},
    {{337, 337, "Allow Autopatch"}, {338, 338, "Disable Autopatch"}},
    {{339, 341, "Enable Speech ID's Port %1"}, {342, 344, "Disable Speech ID's Port %1"}},
    {{345, 345, "User DVR Record, Erase"}, {346, 346, "User DVR Record, Don't Erase"}},
    {{347, 349, "Start General Timer %1"}, {391, 393, "Stop General Timer %1"}},
    {{397, 397, "Macro Subset Disable"}, {398, 398, "Macro Subset Enable"}},
    {{351, 370, "Suspend Scheduler Setpoint %1"}},
    {{371, 390, "Resume Scheduler Setpoint %1"}},
    {{401, 490, "Call Macro %1"}},
};

// Where a macro's description words a function otherwise than the list.
const std::initializer_list<Run> BriefWordings{
    {13, 15, "Port %1 Xmtr Enable"},
    {16, 18, "Port %1 Xmtr Disable"},
    {60, 60, "Port 2 Courtesy Tone 2"},
    {95, 95, "UF1 ON "},
    {118, 118, "Link Port1 to Port 2"},
    {305, 305, "CTCSS Encoder to Programmed Value"},
    {307, 307, "Say Year"},
    {346, 346, "User DVR Record, No Erase"},
};

// The groups after which the separator holds two blanks (counted from 1).
bool WideSeparatorAfter(int group) { return group <= 9 || group == 11 || group == 21; }

QString Wording(const Run& run, int number)
{
    const QString w = QString::fromLatin1(run.wording);
    return w.contains(u"%1") ? w.arg(run.from + number - run.first) : w;
}

struct Catalogue {
    std::vector<MacroFunction> functions;
    std::vector<FunctionRow> rows;
    QHash<QString, int> byCode; // index into functions

    Catalogue()
    {
        int group = 0;
        for (const Group& g : Groups) {
            if (group++ > 0)
                rows.push_back({QString(WideSeparatorAfter(group - 1) ? 2 : 1, u' '), 0});
            for (const Run& run : g)
                for (int n = run.first; n <= run.last; ++n) {
                    const QString list = Wording(run, n);
                    byCode.insert(FunctionCode(n), static_cast<int>(functions.size()));
                    functions.push_back({n, list, list});
                    rows.push_back({FunctionCode(n) + u' ' + list, n});
                }
        }
        for (const Run& run : BriefWordings)
            for (int n = run.first; n <= run.last; ++n)
                functions[byCode.value(FunctionCode(n))].brief = Wording(run, n);
    }
};

const Catalogue& TheCatalogue()
{
    static const Catalogue catalogue;
    return catalogue;
}

} // namespace

const std::vector<MacroFunction>& MacroFunctionCatalogue() { return TheCatalogue().functions; }

const std::vector<FunctionRow>& FunctionListRows() { return TheCatalogue().rows; }

QString FunctionCode(int number) { return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0')); }

const MacroFunction* FindFunction(const QString& code)
{
    const Catalogue& c = TheCatalogue();
    const auto it = c.byCode.constFind(code);
    return it == c.byCode.constEnd() ? nullptr : &c.functions[*it];
}

QString DescribeMacro(const QString& text)
{
    QStringList segments;
    qsizetype p = 0;
    while (p < text.size() && text[p] == u' ')
        ++p;
    while (p < text.size()) {
        qsizetype blank = text.indexOf(u' ', p);
        if (blank < 0)
            blank = text.size();
        const QString token = text.mid(p, blank - p);
        const MacroFunction* f = FindFunction(token);
        segments << (f ? f->brief : token + u'?');
        p = blank + 1;
    }
    return segments.join(QStringLiteral(" | "));
}
