#include "kestrin/EtsEventChannel.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <limits>
#include <ostream>

namespace {

enum class TArg { Long, Word, Flag, Text };

struct TArgForm {
    TArg type;
    const char* label;
};

struct TEventForm {
    TEtsEventKind kind;
    const char* name;
    std::vector<TArgForm> args;
};

const std::vector<TEventForm>& EventForms()
{
    static const std::vector<TEventForm> forms = [] {
        const TArgForm v1{TArg::Long, "value 1"}, v2{TArg::Long, "value 2"}, device{TArg::Long, "device id"};
        std::vector<TEventForm> s;
        s.push_back({TEtsEventKind::EditParameters, "EditParameters", {device}});
        s.push_back({TEtsEventKind::CreateDevice, "CreateDevice", {{TArg::Long, "kind"}, device, {TArg::Text, "text"}}});
        s.push_back({TEtsEventKind::DeleteDevice, "DeleteDevice", {{TArg::Long, "value"}, device}});
        s.push_back({TEtsEventKind::UserSvStop, "UserSvStop", {}});
        s.push_back({TEtsEventKind::DoDownload2, "DoDownload2",
                     {v1, v2, {TArg::Long, "value 3 (device id)"}, {TArg::Long, "value 4"}, {TArg::Long, "value 5"},
                      {TArg::Long, "value 6"}, {TArg::Long, "value 7"}, {TArg::Long, "value 8"},
                      {TArg::Word, "value 9 (flags)"}}});
        const std::vector<TArgForm> link{v1, v2, device, {TArg::Word, "object number"}, {TArg::Long, "sub-group id"}};
        s.push_back({TEtsEventKind::LinkObjToSubGroup, "LinkObjToSubGroup", link});
        s.push_back({TEtsEventKind::UnlinkObjFromSubGroup, "UnlinkObjFromSubGroup", link});
        s.push_back({TEtsEventKind::EditObject, "EditObject", {v1, v2, {TArg::Long, "device-object id"}}});
        s.push_back({TEtsEventKind::ExportDevice, "ExportDevice", {v1, v2, device}});
        s.push_back({TEtsEventKind::ImportDevice, "ImportDevice", {v1, v2, device}});
        s.push_back({TEtsEventKind::CopyDevice, "CopyDevice",
                     {v1, v2, {TArg::Long, "new device id"}, {TArg::Long, "source device id"},
                      {TArg::Flag, "copy flag"}}});
        return s;
    }();
    return forms;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits a line into words; a word in double quotes may hold blanks and escapes.
bool Words(const std::string& line, std::vector<std::string>& words, std::string& error)
{
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size())
            return true;
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && !IsBlank(line[i]))
                word += line[i++];
            words.push_back(std::move(word));
            continue;
        }
        ++i;
        bool closed = false;
        while (i < line.size()) {
            char c = line[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c == '\\') {
                if (i == line.size())
                    break;
                switch (line[i++]) {
                case '"': c = '"'; break;
                case '\\': c = '\\'; break;
                case 'n': c = '\n'; break;
                case 't': c = '\t'; break;
                default:
                    error = std::string("unknown escape \\") + line[i - 1];
                    return false;
                }
            }
            word += c;
        }
        if (!closed) {
            error = "unterminated quote";
            return false;
        }
        if (i < line.size() && !IsBlank(line[i])) {
            error = "no blank after a quoted text";
            return false;
        }
        words.push_back(std::move(word));
    }
}

// A whole word as a number: decimal with an optional minus, or hexadecimal with 0x.
std::optional<std::int64_t> Number(const std::string& word)
{
    const char* first = word.data();
    const char* last = first + word.size();
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        first += 2;
        base = 16;
        if (*first == '-')
            return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, base);
    if (ec != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

// A word as an error quotes it: as it stands, or quoted when it holds a blank, a quote, a
// backslash or a control character (a decoded \n would break the answer's line).
std::string Shown(const std::string& word)
{
    const bool plain = !word.empty() && std::none_of(word.begin(), word.end(), [](char c) {
        return c == ' ' || c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return plain ? word : Quote(word);
}

bool OpensEditingPeriod(TEtsEventKind kind)
{
    return kind == TEtsEventKind::EditParameters || kind == TEtsEventKind::EditObject;
}

// Events whose handler writes the project: each is one transaction of the store. The stop and
// the delete (ETS deletes the device; the editor lets its windows go) write nothing of it and
// run whatever the store's locks.
bool WritesTheProject(TEtsEventKind kind)
{
    return kind != TEtsEventKind::UserSvStop && kind != TEtsEventKind::DeleteDevice;
}

} // namespace

TEtsEventChannel::TEtsEventChannel(TEts2Cdi& ets, std::ostream& out, std::vector<std::string> queued)
    : m_ets(ets)
    , m_out(out)
    , m_queued(queued.begin(), queued.end())
    , m_previousReturn(ets.OnReturnToEts)
{
    m_ets.OnReturnToEts = [this](int keep, bool result) {
        if (m_previousReturn)
            m_previousReturn(keep, result);
        Answer("ReturnToEts keep=" + std::to_string(keep) + (result ? "" : " ok=0"));
    };
}

TEtsEventChannel::~TEtsEventChannel()
{
    m_ets.OnReturnToEts = m_previousReturn;
}

const char* TEtsEventChannel::EventName(TEtsEventKind kind)
{
    for (const auto& form : EventForms())
        if (form.kind == kind)
            return form.name;
    return "";
}

std::optional<TEtsEvent> TEtsEventChannel::Parse(const std::string& line, std::string& error)
{
    error.clear();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#')
        return std::nullopt;
    std::vector<std::string> words;
    if (!Words(line, words, error))
        return std::nullopt;
    const TEventForm* form = nullptr;
    for (const auto& s : EventForms())
        if (words.front() == s.name)
            form = &s;
    if (!form) {
        error = "unknown event " + Shown(words.front());
        return std::nullopt;
    }
    const std::size_t given = words.size() - 1;
    if (given != form->args.size()) {
        error = std::string(form->name) + " takes " + std::to_string(form->args.size()) + " argument"
                + (form->args.size() == 1 ? "" : "s") + ", not " + std::to_string(given);
        return std::nullopt;
    }
    TEtsEvent event;
    event.Kind = form->kind;
    for (std::size_t i = 0; i < given; ++i) {
        const TArgForm& arg = form->args[i];
        const std::string& word = words[i + 1];
        if (arg.type == TArg::Text) {
            event.Text = word;
            continue;
        }
        const auto number = Number(word);
        std::int64_t low = std::numeric_limits<std::int32_t>::min(), high = std::numeric_limits<std::int32_t>::max();
        const char* what = "a 32-bit number";
        if (arg.type == TArg::Word)
            low = 0, high = 0xFFFF, what = "a 16-bit number 0 to 65535";
        else if (arg.type == TArg::Flag)
            low = 0, high = 1, what = "0 or 1";
        if (!number || *number < low || *number > high) {
            error = std::string(arg.label) + " is not " + what + ": " + Shown(word);
            return std::nullopt;
        }
        event.Values.push_back(static_cast<std::int32_t>(*number));
    }
    return event;
}

void TEtsEventChannel::Answer(const std::string& line)
{
    // One line, one answer: a line break inside (a queued line may hold one) is written as
    // its escape, so a host reading answers line by line stays in step.
    std::string one;
    for (char c : line)
        one += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    m_out << one << '\n' << std::flush;
}

void TEtsEventChannel::Raise(const TEtsEvent& e, bool& finished, int& result, std::string& exportFile)
{
    const auto& v = e.Values;
    switch (e.Kind) {
    case TEtsEventKind::EditParameters:
        if (m_ets.OnCdiEditParameters)
            m_ets.OnCdiEditParameters(finished, result, v[0]);
        break;
    case TEtsEventKind::CreateDevice:
        if (m_ets.OnCdiCreateDevice)
            m_ets.OnCdiCreateDevice(finished, result, v[0], v[1], e.Text);
        break;
    case TEtsEventKind::DeleteDevice:
        if (m_ets.OnCdiDeleteDevice)
            m_ets.OnCdiDeleteDevice(finished, result, v[0], v[1]);
        break;
    case TEtsEventKind::UserSvStop:
        if (m_ets.OnWmUserSvStop)
            m_ets.OnWmUserSvStop();
        break;
    case TEtsEventKind::DoDownload2:
        if (m_ets.OnCdiDoDownload2)
            m_ets.OnCdiDoDownload2(finished, result, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                                   static_cast<std::uint16_t>(v[8]));
        break;
    case TEtsEventKind::LinkObjToSubGroup:
        if (m_ets.OnCdiLinkObjToSubGroup)
            m_ets.OnCdiLinkObjToSubGroup(finished, result, v[0], v[1], v[2], static_cast<std::uint16_t>(v[3]), v[4]);
        break;
    case TEtsEventKind::UnlinkObjFromSubGroup:
        if (m_ets.OnCdiUnlinkObjFromSubGroup)
            m_ets.OnCdiUnlinkObjFromSubGroup(finished, result, v[0], v[1], v[2], static_cast<std::uint16_t>(v[3]),
                                             v[4]);
        break;
    case TEtsEventKind::EditObject:
        if (m_ets.OnCdiEditObject)
            m_ets.OnCdiEditObject(finished, result, v[0], v[1], v[2]);
        break;
    case TEtsEventKind::ExportDevice:
        if (m_ets.OnCdiExportDevice) {
            TEtsExportTarget target;
            m_ets.OnCdiExportDevice(finished, result, v[0], v[1], v[2], target);
            exportFile = target.FileName;
        }
        break;
    case TEtsEventKind::ImportDevice:
        if (m_ets.OnCdiImportDevice)
            m_ets.OnCdiImportDevice(finished, result, v[0], v[1], v[2]);
        break;
    case TEtsEventKind::CopyDevice:
        if (m_ets.OnCdiCopyDevice)
            m_ets.OnCdiCopyDevice(finished, result, v[0], v[1], v[2], v[3], v[4] != 0);
        break;
    }
}

TEtsEventChannel::TLineResult TEtsEventChannel::HandleLine(const std::string& rawLine)
{
    if (m_stopped)
        return TLineResult::Stop;
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    std::string error;
    const auto event = Parse(line, error);
    if (!event) {
        if (error.empty())
            return TLineResult::Skipped;
        Answer("error: " + error + ": " + line);
        return TLineResult::Refused;
    }

    bool finished = true;
    int result = 0;
    std::string exportFile;
    std::string refused;
    TEts2Cdi::TStoreFault fault = TEts2Cdi::TStoreFault::None;
    if (!Transaction(*event, finished, result, exportFile, refused, fault)) {
        // A refused export is none: ETS takes no file of it.
        exportFile.clear();
        if (m_ets.OnEventFailed)
            m_ets.OnEventFailed(EventName(event->Kind), fault, refused);
    }

    if (event->Kind == TEtsEventKind::UserSvStop) {
        Answer(EventName(event->Kind));
        m_stopped = true;
        m_queued.clear();
        return TLineResult::Stop;
    }
    // ETS keeps the exported file in its directory, where the import looks for it; an export
    // whose file ETS could not take is no export.
    std::string taken;
    std::string copied;
    if (!exportFile.empty()) {
        if (const TEtsStatus status = m_ets.TakeExportFile(exportFile, copied); status) {
            taken = " copied=" + Quote(copied);
        } else {
            result = 0;
            taken = " copied=0";
        }
    }
    std::string answer = std::string(EventName(event->Kind)) + " result=" + std::to_string(result)
                         + " finished=" + (finished ? "1" : "0");
    if (!exportFile.empty())
        answer += " file=" + Quote(exportFile) + taken;
    if (!refused.empty())
        answer += " error=" + Quote(refused);
    Answer(answer);
    return TLineResult::Answered;
}

bool TEtsEventChannel::Transaction(const TEtsEvent& event, bool& finished, int& result, std::string& exportFile,
                                   std::string& refused, TEts2Cdi::TStoreFault& fault)
{
    if (!m_ets.IsOpen()) {
        Raise(event, finished, result, exportFile);
        return true;
    }
    // What the store refused is the event's answer: failed, with the store's reason.
    const auto refuse = [&] {
        refused = m_ets.LastError();
        fault = m_ets.LastStoreFault();
        result = 0;
        return false;
    };
    // An edit exists only with its editing period: the host keeps what the editor writes
    // while it edits apart, so that ReturnToEts(0) can put it back. A period that cannot begin
    // within the store's wait leaves the event unraised.
    const bool period = OpensEditingPeriod(event.Kind) && !m_ets.IsEditPeriodOpen();
    const bool transaction = WritesTheProject(event.Kind);
    if ((period && !m_ets.BeginEditPeriod()) || (transaction && !m_ets.BeginEvent())) {
        refuse();
        if (period && m_ets.IsEditPeriodOpen())
            (void)m_ets.EndEditPeriod(false);
        finished = true;
        return false;
    }
    Raise(event, finished, result, exportFile);
    bool kept = !transaction || m_ets.EndEvent(result != 0) || refuse();
    // An edit left open whose handler returned the edit before it (another device) begins its
    // own period now, after its event.
    if (OpensEditingPeriod(event.Kind) && !finished && !m_ets.IsEditPeriodOpen() && !m_ets.BeginEditPeriod())
        kept = refuse();
    // The host ends the period of an edit that answered finished: a kept one that the store
    // refused is no done edit.
    if (period && finished && m_ets.IsEditPeriodOpen() && !m_ets.EndEditPeriod(result == 1) && result == 1)
        kept = refuse();
    return kept;
}

bool TEtsEventChannel::NextQueued(std::string& line)
{
    if (m_stopped || m_queued.empty())
        return false;
    line = std::move(m_queued.front());
    m_queued.pop_front();
    return true;
}

bool TEtsEventChannel::RunQueued()
{
    std::string line;
    while (NextQueued(line))
        HandleLine(line);
    return m_stopped;
}

bool TEtsEventChannel::Run(std::istream& in)
{
    if (RunQueued())
        return true;
    std::string line;
    while (!m_stopped && std::getline(in, line))
        HandleLine(line);
    return m_stopped;
}
