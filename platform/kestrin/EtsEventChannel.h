#pragma once
// TEtsEventChannel: how the ETS host stand-in drives the editor. ETS raises its events on the
// device interface; here the host writes them as text, one event a line, and the channel
// raises the matching event of TEts2Cdi and answers each on one line of its own.
//
// Line: the event named as its handler without the OnCdi/OnWm prefix, then its arguments in
// the handler's order after finished and result, separated by blanks:
//   EditParameters <device id>
//   CreateDevice <kind> <device id> <text>
//   DeleteDevice <value> <device id>
//   DoDownload2 <value 1> ... <value 8> <flags>
//   LinkObjToSubGroup <value 1> <value 2> <device id> <object number> <sub-group id>
//   UnlinkObjFromSubGroup <value 1> <value 2> <device id> <object number> <sub-group id>
//   EditObject <value 1> <value 2> <device-object id>
//   ExportDevice <value 1> <value 2> <device id>
//   ImportDevice <value 1> <value 2> <device id>
//   CopyDevice <value 1> <value 2> <new device id> <source device id> <copy flag>
//   UserSvStop
// Numbers are decimal (a leading minus allowed) or hexadecimal with 0x; ids and values are
// 32-bit, object numbers and flags 16-bit unsigned, the copy flag 0 or 1. A text is one word,
// or written in double quotes, where \" \\ \n and \t stand for a quote, a backslash, a line
// feed and a tab. Blank lines and lines whose first non-blank is # are skipped unanswered; a
// carriage return at the end of a line is dropped.
//
// Answers (each flushed at once):
//   <Event> result=<N> finished=<0|1>     after the handler; ExportDevice adds file=<text>
//                                         (quoted as above) when the handler named a file,
//                                         then copied=<text>, where the host keeps its copy
//                                         (TEts2Cdi::TakeExportFile), or copied=0 and
//                                         result=0 when the host could not take it
//   UserSvStop                            after its handler; the channel reads no further
//   ReturnToEts keep=<0|1>                whenever the editor returns to ETS; ok=0 is added
//                                         when that return failed
//   error: <reason>: <line>               a malformed line; nothing else happens (a word
//                                         the reason quotes is quoted as above when it
//                                         holds a blank or a control character)
// Each handler starts with finished 1 and result 0; an event without a handler answers so.
// Every answer is one line: a line break in it is written as \n.
//
// Transaction: every event but UserSvStop and DeleteDevice (which write nothing of the
// project) is one transaction of the store (TEts2Cdi::BeginEvent/EndEvent): kept whole
// when the handler answers a result other than 0 and nothing inside was refused by the store,
// else undone whole. A refusal makes the answer result=0 and adds error=<text> (quoted as
// above), the store's reason. When the transaction cannot begin within the store's wait the event is not
// raised and is answered so (result=0 finished=1 error=...). Either way TEts2Cdi::
// OnEventFailed is told once. A refused export names no file.
//
// Editing period: before EditParameters and EditObject the channel begins an editing period
// of the store (when a store is open and no period is open); when it cannot begin, the event
// is not raised and is answered as above. It stays open until the editor calls ReturnToEts;
// when the handler answers finished 1 instead, the channel ends it itself: kept when the
// result is 1, put back otherwise. An edit whose handler returned the edit before it (of
// another device) and left its own open gets a period of its own after its event. A return
// that fails keeps nothing of the period
// (TEts2Cdi::ReturnToEts): no period is left open for a later line to join.

#include "kestrin/Ets2Cdi.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

enum class TEtsEventKind {
    EditParameters,
    CreateDevice,
    DeleteDevice,
    UserSvStop,
    DoDownload2,
    LinkObjToSubGroup,
    UnlinkObjFromSubGroup,
    EditObject,
    ExportDevice,
    ImportDevice,
    CopyDevice,
};

// One parsed event line: the numbers in line order (a 16-bit word or a flag as its value)
// and the one text argument (CreateDevice).
struct TEtsEvent {
    TEtsEventKind Kind = TEtsEventKind::UserSvStop;
    std::vector<std::int32_t> Values;
    std::string Text;
    bool operator==(const TEtsEvent&) const = default;
};

class TEtsEventChannel {
public:
    enum class TLineResult {
        Answered,   // the event was raised and answered
        Skipped,    // blank or comment line
        Refused,    // malformed: answered with an error line
        Stop,       // UserSvStop was raised: nothing more is read
    };

    // ets and out must outlive the channel. queued: lines handled before any stream line (the
    // --event options). The channel hooks TEts2Cdi::OnReturnToEts (calling what was hooked
    // before as well) and gives it back when it ends.
    TEtsEventChannel(TEts2Cdi& ets, std::ostream& out, std::vector<std::string> queued = {});
    ~TEtsEventChannel();
    TEtsEventChannel(const TEtsEventChannel&) = delete;
    TEtsEventChannel& operator=(const TEtsEventChannel&) = delete;

    // The event of a line, or nullopt with error set (the reason, without the line). A blank
    // or comment line parses to nullopt with an empty error.
    static std::optional<TEtsEvent> Parse(const std::string& line, std::string& error);
    // The event's name in the protocol ("EditParameters", ...).
    static const char* EventName(TEtsEventKind kind);

    // Handles one line (without its line feed).
    TLineResult HandleLine(const std::string& line);
    // Takes the next queued line for the caller to handle (an event loop that handles one
    // line per turn); false when none is left or the channel was stopped.
    bool NextQueued(std::string& line);
    // Handles the queued lines that are left; true when UserSvStop ended them.
    bool RunQueued();
    // The queued lines, then every line of in up to its end or UserSvStop; true when
    // UserSvStop ended it.
    bool Run(std::istream& in);
    bool Stopped() const { return m_stopped; }

private:
    void Raise(const TEtsEvent& event, bool& finished, int& result, std::string& exportFile);
    // Raises the event as one transaction of the store (and, for an edit, inside its editing
    // period); false with refused set when the store refused it, raised or not.
    bool Transaction(const TEtsEvent& event, bool& finished, int& result, std::string& exportFile,
                     std::string& refused, TEts2Cdi::TStoreFault& fault);
    void Answer(const std::string& line);

    TEts2Cdi& m_ets;
    std::ostream& m_out;
    std::deque<std::string> m_queued;
    std::function<void(int, bool)> m_previousReturn;
    bool m_stopped = false;
};
