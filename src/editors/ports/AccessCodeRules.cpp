#include "editors/ports/AccessCodeRules.h"

#include "link/DtmfPlayer.h"

namespace {

struct LengthRule {
    int most;
    const char* text;
};

LengthRule LengthOf(NewCode::Kind kind)
{
    switch (kind) {
    case NewCode::Kind::PortUnlock: return {8, "An unlock code has 1 to 8 keys."};
    case NewCode::Kind::Lock: return {4, "A lock code has 1 to 4 keys."};
    case NewCode::Kind::Terminator: return {1, "The terminator digit is exactly 1 key."};
    }
    return {0, ""};
}

QString Capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

std::optional<QString> BrokenRule(const NewCode& c)
{
    const QString name = Capitalised(CodeName(c));
    for (const QChar key : c.code)
        if (!IsDtmfKey(key))
            return QStringLiteral("%1 \"%2\" holds \"%3\", which is no DTMF key. A code is made of the keys 0-9, *, "
                                  "# and A-D only.")
                .arg(name, c.code, QString(key));
    const LengthRule length = LengthOf(c.kind);
    if (c.code.isEmpty() || c.code.size() > length.most)
        return QStringLiteral("%1 \"%2\" has %3 keys. %4")
            .arg(name, c.code)
            .arg(c.code.size())
            .arg(QString::fromLatin1(length.text));
    return std::nullopt;
}

const NewCode* Find(const std::vector<NewCode>& codes, NewCode::Kind kind)
{
    for (const NewCode& c : codes)
        if (c.kind == kind)
            return &c;
    return nullptr;
}

} // namespace

QString NormalisedCode(const QString& typed) { return typed.trimmed().toUpper(); }

std::vector<NewCode> TypedCodes(const TextArray& portUnlock, const QString& lock, const QString& terminator)
{
    std::vector<NewCode> codes;
    const auto add = [&codes](NewCode::Kind kind, int port, const QString& typed) {
        if (const QString code = NormalisedCode(typed); !code.isEmpty())
            codes.push_back({kind, port, code});
    };
    for (int port = 1; port <= portUnlock.count(); ++port)
        add(NewCode::Kind::PortUnlock, port, portUnlock[port]);
    add(NewCode::Kind::Lock, 0, lock);
    add(NewCode::Kind::Terminator, 0, terminator);
    return codes;
}

QString CodeName(const NewCode& code)
{
    switch (code.kind) {
    case NewCode::Kind::PortUnlock: return QStringLiteral("the new unlock code of port %1").arg(code.port);
    case NewCode::Kind::Lock: return QStringLiteral("the new lock code");
    case NewCode::Kind::Terminator: return QStringLiteral("the new terminator digit");
    }
    return {};
}

std::optional<QString> RefusalOf(const std::vector<NewCode>& codes, const SettingsTables& tables)
{
    for (const NewCode& c : codes)
        if (std::optional<QString> broken = BrokenRule(c))
            return broken;

    const NewCode* lock = Find(codes, NewCode::Kind::Lock);
    const NewCode* terminator = Find(codes, NewCode::Kind::Terminator);
    if (!lock && !terminator)
        return std::nullopt;
    const QString lockInUse = lock ? lock->code : NormalisedCode(tables.CurrentLock);
    const QString terminatorInUse = terminator ? terminator->code : NormalisedCode(tables.Terminator);
    if (lockInUse != terminatorInUse)
        return std::nullopt;
    const QString lockName = lock ? CodeName(*lock) : QStringLiteral("the lock code");
    const QString terminatorName = terminator ? CodeName(*terminator) : QStringLiteral("the terminator digit");
    return QStringLiteral("%1 \"%2\" is the same as %3 \"%4\". The lock code and the terminator digit must differ.")
        .arg(Capitalised(lock ? lockName : terminatorName), lock ? lockInUse : terminatorInUse,
             lock ? terminatorName : lockName, lock ? terminatorInUse : lockInUse);
}
