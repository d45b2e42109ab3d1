#include "download/TarvexDownload.h"

#include "download/MemoryDownload.h"
#include "download/MemoryImage.h"
#include "download/OptionBoardFile.h"
#include "link/ControllerLink.h"
#include "platform/Dialogs.h"
#include "platform/Profile.h"
#include "store/AppContext.h"
#include "store/KeyRegistry.h"
#include "store/ProgramName.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

const QString TarvexTitle = QStringLiteral("Download from Tarvex");
const QString CanceledText = QStringLiteral("Download Canceled. Click OK to return to Zarn");
// One name for the file written and the file read, whatever the case of names.
const QString OptionBoardFileName = QStringLiteral("Tempfile.dat");

QString beside(const AppContext& context, const QString& name)
{
    return QFileInfo(context.settingsFile).absoluteDir().absoluteFilePath(name);
}

// The settings the image does not hold; the option board fills those it
// sent when it ran.
std::vector<Setting> notFilled(const EramLoad& load, const OptionBoardFile* board)
{
    std::vector<Setting> settings;
    for (const QString& name : load.notHeld) {
        const bool filled = board && board->status
            && (name == u"AutoDial" || (name == u"TollRestrict" && board->tollRestrict)
                || (name == u"AnswerCode" && board->answerCode) || (name == u"RingNumber" && board->ringNumber));
        if (!filled)
            settings.push_back(FindStem(name).setting);
    }
    return settings;
}

// What became of the option board's values: the autodial numbers are stored,
// the rest waits in the access code editor as typed, where its Apply (or a
// command that applies the editors first) stores it.
QString boardOutcome(const OptionBoardFile& board, bool whole)
{
    QStringList sentences;
    if (!whole)
        sentences << QStringLiteral("The option board's memory did not arrive whole; what arrived was put in.");
    sentences << QStringLiteral("From the option board %1 autodial number(s) were stored.").arg(board.autoDial.size());
    QStringList waiting;
    QStringList missing;
    if (board.tollRestrict)
        waiting << QStringLiteral("its toll restriction list (%1 entries, in the board's order)")
                       .arg(board.tollRestrict->size());
    else
        sentences << QStringLiteral("Its toll restriction list did not arrive whole and stays as it was.");
    if (board.answerCode)
        waiting << QStringLiteral("its answer code \"%1\"").arg(*board.answerCode);
    else
        missing << QStringLiteral("no answer code");
    if (board.ringNumber)
        waiting << QStringLiteral("its number of rings \"%1\"").arg(*board.ringNumber);
    else
        missing << QStringLiteral("no number of rings");
    if (!waiting.isEmpty()) {
        QString what = JoinedWithAnd(waiting);
        what[0] = what[0].toUpper();
        sentences << what
                + QStringLiteral(" %1 on the Special Codes/Autopatch tab as typed, red where they differ from the "
                                 "settings, until that tab is applied; Save, Save As, Exit, the upload and a "
                                 "download apply it first.")
                      .arg(waiting.size() > 1 ? QStringLiteral("wait") : QStringLiteral("waits"));
    }
    if (!missing.isEmpty())
        sentences << QStringLiteral("The board sent %1; %2.")
                         .arg(JoinedWithAnd(missing), missing.size() > 1 ? QStringLiteral("they keep their earlier values")
                                                                  : QStringLiteral("it keeps its earlier value"));
    return sentences.join(u' ');
}

} // namespace

QString MemoryFilePath(const AppContext& context) { return beside(context, QStringLiteral("download.mem")); }

QString OptionBoardFilePath(const AppContext& context) { return beside(context, OptionBoardFileName); }

TarvexDownload::TarvexDownload(AppContext& context, ControllerLink& link, DownloadProgress& progress,
                               DownloadHooks hooks)
    : m_context(context), m_link(link), m_progress(progress), m_hooks(std::move(hooks))
{
}

void TarvexDownload::tell(const QString& title, const QString& text) { m_context.dialogs.message(title, text); }

void TarvexDownload::run()
{
    if (m_link.dtmfMode()) {
        tell(QStringLiteral("Error!"), QStringLiteral("You may not download from the Tarvex in DTMF Mode. Please "
                                                      "change to Serial Port Mode and try again"));
        return;
    }
    // The edits first, before the link is held.
    if (!m_hooks.applyPendingEdits())
        return;
    const ControllerLink::Claim held = m_link.claimOrTell(ControllerLink::Job::Download);
    if (!held)
        return;
    QString question = QStringLiteral("Downloading will cause other operations of the Tarvex to stop until the "
                                      "download is complete. Are you sure you want to do this?");
    if (!m_context.tables.DataSaved)
        question += QStringLiteral("\n\nThe changes not saved to a dat file will be replaced by the download.");
    if (m_context.dialogs.message(QStringLiteral("Confirm Download"), question, Dialogs::Buttons::YesNo,
                                  Dialogs::Icon::Question)
        != Dialogs::Answer::Yes)
        return;

    const QString memoryFile = MemoryFilePath(m_context);
    if (const Status noted = m_context.profile.write(m_context.settingsFile, QStringLiteral("Main"),
                                                     QStringLiteral("MemFile"), memoryFile);
        !noted) {
        tell(TarvexTitle, noted.reason());
        return;
    }
    m_hooks.enableCommands(false);
    const auto enable = qScopeGuard([this] { m_hooks.enableCommands(true); });
    if (!receiveImage(memoryFile))
        return;

    std::optional<OptionBoardFile> board;
    bool boardWhole = false;
    if (m_context.dialogs.message(QStringLiteral("Download from Vindel"),
                                  QStringLiteral("Download Complete! Do you have the Vindel (Autopatch Option) "
                                                 "installed?"),
                                  Dialogs::Buttons::YesNo, Dialogs::Icon::Question)
        == Dialogs::Answer::Yes) {
        // Its outcome told, both parses follow whatever it was.
        if (const std::optional<bool> whole = receiveOptionBoard()) {
            board = ReadOptionBoardFile(OptionBoardFilePath(m_context));
            boardWhole = *whole;
            if (!boardWhole)
                board->tollRestrict.reset();
        }
    }
    const EramLoad load = m_hooks.loadMemoryFile(memoryFile);
    if (!load.status) {
        tell(TarvexTitle, load.status.reason());
        return;
    }
    if (board && board->status) {
        StoreOptionBoard(m_context.tables, m_context.notices, *board);
        m_hooks.showOptionBoard(*board);
    }
    close(load, board ? &*board : nullptr, boardWhole);
}

bool TarvexDownload::receiveImage(const QString& memoryFile)
{
    SerialLink& serial = m_link.serialLink();
    if (const Status opened = serial.OpenSerialPort(); !opened)
        return false; // told by the link
    const auto closePort = qScopeGuard([&] { serial.closePort(); });
    MemoryDownload download(m_link.port(), m_context.clock, m_progress);
    const TransferEnd end = download.receiveImage(memoryFile);
    switch (end.way) {
    case TransferEnd::Way::Complete: return true;
    case TransferEnd::Way::Incomplete:
        tell(TarvexTitle, QStringLiteral("Download incomplete: %1 of %2 records arrived. Nothing was changed.")
                              .arg(end.count)
                              .arg(MemoryImageSize));
        break;
    case TransferEnd::Way::TimedOut:
        tell(QStringLiteral("Serial Timeout"), QStringLiteral("Data from the Tarvex did not successfully download. "
                                                              "Please try again. Press OK to continue."));
        break;
    case TransferEnd::Way::Canceled: tell(ProgramName, CanceledText); break;
    case TransferEnd::Way::Failed:
        tell(TarvexTitle, end.failure.reason() + QStringLiteral(" Nothing was changed."));
        break;
    }
    return false;
}

std::optional<bool> TarvexDownload::receiveOptionBoard()
{
    SerialLink& serial = m_link.serialLink();
    if (const Status opened = serial.OpenSerialPort(); !opened)
        return std::nullopt;
    const auto closePort = qScopeGuard([&] { serial.closePort(); });
    MemoryDownload download(m_link.port(), m_context.clock, m_progress);
    const QByteArray lockLine = (m_context.tables.CurrentLock + m_context.tables.Terminator + u'\r').toLatin1();
    const TransferEnd end = download.receiveOptionBoard(OptionBoardFilePath(m_context), lockLine);
    switch (end.way) {
    case TransferEnd::Way::Complete:
    case TransferEnd::Way::Incomplete: break;
    case TransferEnd::Way::TimedOut:
        tell(QStringLiteral("Serial Timeout"), QStringLiteral("Data from Vindel did not successfully download. "
                                                              "Please try again. Press OK to continue."));
        break;
    case TransferEnd::Way::Canceled: tell(ProgramName, CanceledText); break;
    case TransferEnd::Way::Failed: tell(QStringLiteral("Download from Vindel"), end.failure.reason()); break;
    }
    // A file from an earlier download is no memory of this board.
    if (!end.written)
        return std::nullopt;
    return end.way == TransferEnd::Way::Complete;
}

void TarvexDownload::close(const EramLoad& load, const OptionBoardFile* board, bool boardWhole)
{
    QString text = QStringLiteral("You should save this download to a dat file before proceeding further");
    if (const QStringList names = m_hooks.shownNames(notFilled(load, board)); !names.isEmpty())
        text += QStringLiteral("\n\nThe Tarvex's memory does not hold these settings; they keep their earlier "
                               "values: ")
            + names.join(QStringLiteral(", ")) + u'.';
    if (board && !board->status)
        text += QStringLiteral("\n\n") + board->status.reason();
    if (board && board->status)
        text += QStringLiteral("\n\n") + boardOutcome(*board, boardWhole);
    if (board && board->skipped > 0)
        text += QStringLiteral("\n\n%1 line(s) of the option board's memory named no autodial slot or toll "
                               "restriction entry, or held a value that is not made of DTMF keys, and were "
                               "skipped.")
                    .arg(board->skipped);
    tell(ProgramName, text);
}
