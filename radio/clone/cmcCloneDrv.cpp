#include "radio/clone/cmcCloneDrv.h"

#include <algorithm>

#include "common/TextHelpers.h"
#include "common/cmcTask.h"
#include "platform/Clock.h"
#include "radio/clone/CloneFrames.h"

namespace {

// The pace of an exchange: an answer is taken within a millisecond of its arrival.
constexpr int kTickMs = 1;
// Bounds the states one tick runs (an exchange passes through each at most once a tick).
constexpr int kStatesPerTick = cmcCloneDrv::S_Count;
constexpr uint32_t kFlushMs = 100;
constexpr int kFlushReads = 65535;
// The line is quiet once no byte has come for as long as the flush after an open waits. The
// rest of a whole read at 38,400 bit/s takes 24 s: the wait gives up a little after that.
constexpr uint32_t kQuietMs = kFlushMs;
constexpr uint32_t kQuietLimitMs = 30000;
// Bounds the reads of one tick of the quiet wait (a fast line brings 4 bytes a millisecond).
constexpr int kQuietReadsPerTick = 64;
constexpr int kRoundsPerTick = 8;
// In the data state the engine runs ahead of the echo by at most this much.
constexpr int kEchoAheadWhileSending = 128;

bool IsBcd(uint8_t b) {
    return (b >> 4) <= 9 && (b & 15) <= 9;
}

}  // namespace

cmcCloneDrv::cmcCloneDrv() : task_(new cmcTask) {
    task_->SetHandler([this](cmcTask*) { Tick(); });
}

cmcCloneDrv::~cmcCloneDrv() {
    cmcTask::Dispose(task_);
}

void cmcCloneDrv::SetModelWords(int word0, int word1) {
    word0_ = word0;
    word1_ = word1;
}

void cmcCloneDrv::SetPort(int portNumber, const std::string& settings) {
    portNumber_ = portNumber;
    transferSettings_ = settings;
}

void cmcCloneDrv::SetDataPreambles(int later, int first) {
    dataPreambleLater_ = later;
    dataPreambleFirst_ = first;
}

void cmcCloneDrv::SetAckInterval(int interval, int offset) {
    if (interval > 0)
        ackInterval_ = interval;
    if (offset > 0)
        ackOffset_ = offset;
}

void cmcCloneDrv::SetDefaultTimeout(int ms) {
    if (ms > 0)
        timeoutDefault_ = ms;
}

void cmcCloneDrv::SetAckTimeout(int ms) {
    if (ms > 0)
        timeoutFirstAck_ = ms;
}

bool cmcCloneDrv::StartInfo(Completion completion) {
    return Start(M_Info, std::move(completion));
}

bool cmcCloneDrv::StartRead(const AddressRangeList* ranges, Completion completion) {
    if (IsBusy())
        return false;
    ranges_.reset();
    if (ranges)
        ranges_ = *ranges;
    return Start(M_Read, std::move(completion));
}

bool cmcCloneDrv::StartWrite(const cmcEeprom& image, const AddressRangeList* ranges,
                             Completion completion) {
    if (IsBusy())
        return false;
    ranges_ = ranges ? *ranges : AddressRangeList{};
    rangeIndex_ = 0;
    ackDue_ = false;
    nextAddress_ = ranges_->empty() ? 0 : ranges_->front().first;
    Start(M_Write, std::move(completion));
    result_->image.Assign(image);
    return true;
}

void cmcCloneDrv::Cancel() {
    if (!IsBusy() || state_ == S_Finish)
        return;
    port_.Close();  // nothing more leaves the PC
    if (!(state_ == S_Quiet && afterQuiet_ == S_Finish))
        result_->code = CDRV_Cancelled;
    state_ = S_Finish;
}

bool cmcCloneDrv::Start(Mode mode, Completion completion) {
    if (IsBusy())
        return false;
    mode_ = mode;
    completion_ = std::move(completion);
    NewResult(mode);
    state_ = S_Start;
    task_->SetInterval(kTickMs);
    return true;
}

void cmcCloneDrv::NewResult(Mode mode) {
    result_ = std::make_unique<dst_CDrv_Result>();
    result_->mode = mode;
    result_->code = CDRV_PortOpen;
    result_->infoWord0 = word0_;
    result_->infoWord1 = word1_;
    result_->image.Resize(memorySize_);
    frameCount_ = 0;
    dataBytes_ = 0;
}

// States run one after another until one has to wait, so an answer is acted on in the tick
// that finds it; the task runs only while an exchange does.
void cmcCloneDrv::Tick() {
    for (int n = 0; n < kStatesPerTick && state_ != S_Idle && state_ != S_Finish; ++n) {
        const State before = state_;
        Step();
        if (result_ && port_.HasError()) {
            result_->code = CDRV_PortError;
            state_ = S_Finish;
        }
        if (state_ == before)
            break;
    }
    if (state_ == S_Finish)
        Finish();
    if (state_ == S_Idle)
        task_->SetInterval(-1);
}

// A state stays where it is unless its action names the next one. Progress (matched echoes,
// or what the state's action reports) restarts the time-out of the state that follows.
void cmcCloneDrv::Step() {
    next_ = state_;
    progress_ = false;
    const bool expired = timeout_.Remaining() == 0;
    if (CheckEcho() == EchoState::Clear) {
        progress_ = false;  // the action's own verdict replaces the echo's
        RunState();
    }
    if (next_ != state_)
        progress_ = true;
    if (progress_) {
        timeout_.Start(TimeoutFor(next_));
    } else if (expired && state_ == S_Drain) {
        GoTo(S_Finish);  // the output never left: give up on it, keeping the code
    } else if (expired) {
        Fail(echoCheck_ && echoQueue_.GetLength() > 0 ? CDRV_Echo : CDRV_Timeout);
    }
    state_ = next_;
}

void cmcCloneDrv::RunState() {
    switch (state_) {
        case S_Hold:
            progress_ = true;  // holds without timing out
            return;
        case S_Start:
            return GoTo(S_Script);
        case S_Script:
            return DoScript();
        case S_Open:
            return DoOpen();
        case S_InfoRequest:
            return DoRequest(CloneFrames::kInfoRequest, S_InfoAnswer);
        case S_InfoAnswer:
            return DoInfoAnswer();
        case S_ReadRequest:
            return DoRequest(CloneFrames::kReadRequest, S_ReadData);
        case S_ReadData:
            return DoReadData();
        case S_WriteRequest:
            return DoRequest(CloneFrames::kWriteRequest, waitFirstAck_ ? S_FirstAck : S_WriteData);
        case S_FirstAck:
        case S_Ack:
            return DoAck();
        case S_WriteData:
            return DoWriteData();
        case S_EndFrame:
            return DoEndFrame();
        case S_EndAnswer:
            return DoEndAnswer();
        case S_Drain:
            return DoDrain();
        case S_Quiet:
            return DoQuiet();
        case S_Idle:
        case S_Finish:  // Tick finishes
        case S_Count:
            return;
    }
}

// Compares what came back with what was written.
cmcCloneDrv::EchoState cmcCloneDrv::CheckEcho() {
    if (!echoCheck_) {
        echoQueue_.Clear();
        return EchoState::Clear;
    }
    if (state_ != S_Drain && echoQueue_.GetLength() > 0) {
        ReadPort();
        while (rxQueue_.GetLength() > 0 && echoQueue_.GetLength() > 0) {
            if (*rxQueue_.At(0) != *echoQueue_.At(0)) {
                Fail(CDRV_Echo);  // ends the exchange at once, whatever the state would do
                return EchoState::Differs;
            }
            rxQueue_.PopFront();
            echoQueue_.PopFront();
            progress_ = true;
        }
    }
    if (state_ == S_Drain)
        return EchoState::Clear;  // an exchange that failed with echoes outstanding still ends
    const int limit = state_ == S_WriteData ? kEchoAheadWhileSending : 0;
    return echoQueue_.GetLength() > limit ? EchoState::Waiting : EchoState::Clear;
}

uint32_t cmcCloneDrv::TimeoutFor(int state) const {
    switch (state) {
        case S_Script:
            return static_cast<uint32_t>(script_.empty() ? timeoutDefault_ : timeoutScript_);
        case S_InfoAnswer:
            return static_cast<uint32_t>(timeoutInfo_);
        case S_FirstAck:
            return static_cast<uint32_t>(timeoutFirstAck_);
        case S_EndAnswer:
            return static_cast<uint32_t>(timeoutEndAck_);
        default:
            return static_cast<uint32_t>(timeoutDefault_);
    }
}

void cmcCloneDrv::Fail(int code) {
    result_->code = code;
    GoTo(S_Drain);
}

void cmcCloneDrv::Finish() {
    port_.Close();
    state_ = S_Idle;
    rxQueue_.Clear();
    collector_.Clear();
    batch_.Clear();
    echoQueue_.Clear();
    std::unique_ptr<dst_CDrv_Result> result = std::move(result_);
    if (completion_) {
        Completion completion = std::move(completion_);
        completion_ = nullptr;
        completion(*result);
    }
}

bool cmcCloneDrv::Flush() {
    if (!port_.IsOpen())
        return false;
    cmcTick wait;
    wait.Start(kFlushMs);
    while (wait.Remaining() > 0)
        platform::CurrentClock().SleepMs(1);
    uint8_t byte;
    int dropped = 0;
    while (dropped < kFlushReads && port_.Read(&byte, 1) > 0)
        ++dropped;
    return dropped > 0;
}

// What is on the line now is no answer to anything: it is dropped, echoes and frames alike.
void cmcCloneDrv::WaitForQuiet(State next) {
    afterQuiet_ = next;
    rxQueue_.Clear();
    echoQueue_.Clear();
    collector_.Clear();
    quiet_.Start(kQuietMs);
    quietLimit_.Start(kQuietLimitMs);
    GoTo(S_Quiet);
}

// A failed exchange may have left the radio sending; one that never reached the line, or
// that failed waiting for it, has nothing to wait for.
bool cmcCloneDrv::AbandonsQuietly() const {
    return port_.IsOpen() && result_->code != CDRV_Ok && result_->code != CDRV_LineBusy;
}

// A group in parentheses reopens the port with its line settings; any other group is hex
// text of bytes to send. One group a tick.
void cmcCloneDrv::DoScript() {
    progress_ = false;
    if (!script_.empty()) {
        progress_ = true;
        if (script_[0] == '(') {
            const size_t close = script_.find(')');
            const std::string settings =
                script_.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            script_.erase(0, close == std::string::npos ? std::string::npos : close + 1);
            port_.Close();
            if (!port_.Open(portNumber_, settings)) {
                script_.clear();
                Fail(CDRV_PortOpen);
                return;
            }
            if (Flush()) {  // the radio is still sending: the script waits until it stops
                WaitForQuiet(S_Script);
                return;
            }
        } else {
            const size_t open = script_.find('(');
            const cmcBuff bytes = HexTextToBuff(std::string_view(script_).substr(0, open));
            script_.erase(0, open);
            Send(std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetLength()));
        }
    }
    // The script ends once its last bytes have left; that wait is bounded by the time-out.
    GoTo(!script_.empty() || port_.GetPendingOut() > 0 ? S_Script : S_Open);
}

void cmcCloneDrv::DoOpen() {
    port_.Close();
    if (!port_.Open(portNumber_, transferSettings_)) {
        Fail(CDRV_PortOpen);
        return;
    }
    static constexpr State kFirstState[] = {S_Drain, S_InfoRequest, S_ReadRequest, S_WriteRequest};
    if (Flush())
        WaitForQuiet(kFirstState[mode_]);
    else
        GoTo(kFirstState[mode_]);
}

void cmcCloneDrv::DoRequest(uint8_t command, State next) {
    SendCommand(command);
    GoTo(next);
}

void cmcCloneDrv::SendCommand(uint8_t command) {
    Send(CloneFrames::CommandFrame(command, word0_, word1_, commandPreamble_));
    collector_.Clear();
}

void cmcCloneDrv::Send(const std::vector<uint8_t>& bytes) {
    port_.Write(bytes.data(), static_cast<int>(bytes.size()));
    echoQueue_.AppendBytes(bytes.data(), static_cast<int>(bytes.size()));
}

void cmcCloneDrv::ReadPort() {
    const int n = port_.Read(readChunk_, sizeof readChunk_);
    if (n > 0)
        rxQueue_.AppendBytes(readChunk_, n);
}

void cmcCloneDrv::DoInfoAnswer() {
    const CloneFrameCollector::Result answer = CollectAnswer();
    if (answer == CloneFrameCollector::Result::Pending)
        return;
    const std::vector<uint8_t>& f = collector_.Frame();
    const bool sound = answer == CloneFrameCollector::Result::Frame && f.size() >= 8 &&
                       f[0] == 0xFE && f[1] == 0xEF && f[2] == 0xEE &&
                       f[3] == CloneFrames::kInfoAnswer &&
                       std::all_of(f.begin() + 4, f.begin() + 8, IsBcd);
    if (!sound) {
        Fail(CDRV_Format);
        return;
    }
    result_->infoWord0 = f[4] << 8 | f[5];
    result_->infoWord1 = f[6] << 8 | f[7];
    result_->payload.SetBytes(f.data() + 8, static_cast<int>(f.size()) - 8);
    result_->code = CDRV_Ok;
    GoTo(S_Drain);
}

// The identity and end answers: whether the bytes that have come complete a frame (a later
// one replaces an earlier one) or overrun one.
CloneFrameCollector::Result cmcCloneDrv::CollectAnswer() {
    ReadPort();
    CloneFrameCollector::Result answer = CloneFrameCollector::Result::Pending;
    int b;
    while ((b = rxQueue_.PopFront()) >= 0) {
        const CloneFrameCollector::Result taken = collector_.Take(static_cast<uint8_t>(b));
        if (taken == CloneFrameCollector::Result::Overlong)
            return taken;
        if (taken == CloneFrameCollector::Result::Frame)
            answer = taken;
    }
    return answer;
}

void cmcCloneDrv::DoReadData() {
    ReadPort();
    int b;
    while ((b = rxQueue_.PopFront()) >= 0) {
        const CloneFrameCollector::Result taken = collector_.Take(static_cast<uint8_t>(b));
        if (taken == CloneFrameCollector::Result::Overlong) {
            Fail(CDRV_Format);
            return;
        }
        if (taken != CloneFrameCollector::Result::Frame)
            continue;
        const int parsed = ParseFrame(collector_.Frame());
        if (parsed != 1) {
            const int coverage = ranges_
                                     ? CloneFrames::CheckReceivedCoverage(
                                           *ranges_, result_->image.GetSize(), result_->received)
                                     : CDRV_Ok;
            Fail(parsed == 0 ? coverage : parsed);
            return;
        }
        ++frameCount_;
        progress_ = true;
    }
}

// 1 a data frame stored, 0 the end frame accepted, else the code that ends the read.
int cmcCloneDrv::ParseFrame(const std::vector<uint8_t>& frame) {
    const uint8_t* f = frame.data();
    const int n = static_cast<int>(frame.size());
    if (n < CloneFrames::kShortestFrame || n > CloneFrames::kLongestFrame || f[0] != 0xFE ||
        f[1] != 0xEF || f[2] != 0xEE)
        return CDRV_Format;
    if (f[3] == CloneFrames::kData)
        return DecodeDataFrame(f + 4, n - 4);
    if (f[3] != CloneFrames::kEndFrame)
        return CDRV_Format;
    const std::string expected = CloneFrames::EndText(sendFrameCount_, frameCount_);
    const std::string got(f + 4, f + n);
    if (got.size() != expected.size() || !got.starts_with(CloneFrames::kSignature))
        return CDRV_Format;
    return got == expected ? 0 : CDRV_Count;
}

int cmcCloneDrv::DecodeDataFrame(const uint8_t* text, int length) {
    const CloneFrames::DataText frame = CloneFrames::DecodeDataText(text, length);
    if (frame.code != CDRV_Ok)
        return frame.code;
    const int count = static_cast<int>(frame.data.size());
    const int end = frame.address + count;  // one past the last address
    if (end > memorySize_ || end > result_->image.GetSize())
        return CDRV_BadAddress;
    for (int i = 0; i < count; ++i)
        result_->image.SetByte(frame.address + i, frame.data[i]);
    CloneFrames::MarkAddresses(result_->received, result_->image.GetSize(), frame.address, end - 1);
    dataBytes_ += count;
    return 1;
}

// Whatever comes before the answer is noise; all that is waiting is looked at.
void cmcCloneDrv::DoAck() {
    ReadPort();
    for (int b; (b = rxQueue_.PopFront()) >= 0;) {
        if (b == CloneFrames::kAck)
            return GoTo(S_WriteData);
        if (b == CloneFrames::kRefusal) {
            result_->refused = true;
            return Fail(CDRV_Format);
        }
    }
}

const AddressRange* cmcCloneDrv::CurrentRange() const {
    if (!ranges_ || rangeIndex_ >= CountRanges(*ranges_))
        return nullptr;
    return &(*ranges_)[rangeIndex_];
}

// Up to eight rounds a tick, each building at most one frame, then the batch goes to the port
// in one write (a write behind another that the device still holds would wait for it). A
// batch waits while the port holds more than four times its size; an acknowledgement point is
// waited for only once the frame that reaches it has been written.
void cmcCloneDrv::DoWriteData() {
    for (int round = 0; round < kRoundsPerTick && !ackDue_; ++round) {
        const AddressRange* range = CurrentRange();
        if (!range)
            break;
        if (nextAddress_ > range->last) {
            ++rangeIndex_;
            if (const AddressRange* following = CurrentRange())
                nextAddress_ = following->first;
            continue;
        }
        BuildDataFrame(*range);
        ackDue_ = AtAckPoint(*range);
    }
    if (batch_.GetLength() > 0) {
        if (4 * batch_.GetLength() < port_.GetPendingOut())
            return;
        Send(std::vector<uint8_t>(batch_.GetData(), batch_.GetData() + batch_.GetLength()));
        batch_.Clear();
        progress_ = true;
    }
    if (ackDue_) {
        ackDue_ = false;
        GoTo(S_Ack);
    } else if (!CurrentRange() && port_.GetPendingOut() == 0) {
        GoTo(S_EndFrame);
    }
}

void cmcCloneDrv::BuildDataFrame(const AddressRange& range) {
    const int end = std::min((nextAddress_ / bytesPerLine_ + 1) * bytesPerLine_ - 1, range.last);
    std::vector<uint8_t> data;
    for (int a = nextAddress_; a <= end; ++a)
        data.push_back(result_->image.GetByte(a));
    const int preamble = frameCount_ == 0 ? dataPreambleFirst_ : dataPreambleLater_;
    const std::vector<uint8_t> frame = CloneFrames::DataFrame(nextAddress_, data, preamble);
    batch_.AppendBytes(frame.data(), static_cast<int>(frame.size()));
    ++frameCount_;
    nextAddress_ = end + 1;
    dataBytes_ += static_cast<int>(data.size());
}

bool cmcCloneDrv::AtAckPoint(const AddressRange& range) const {
    return nextAddress_ != range.first && ackInterval_ != 0 &&
           nextAddress_ % ackInterval_ == ackOffset_;
}

void cmcCloneDrv::DoEndFrame() {
    Send(CloneFrames::EndFrame(sendFrameCount_, frameCount_));
    GoTo(S_EndAnswer);
}

void cmcCloneDrv::DoEndAnswer() {
    const CloneFrameCollector::Result answer = CollectAnswer();
    if (answer == CloneFrameCollector::Result::Pending)
        return;
    static const std::vector<uint8_t> kAccepted = {0xFE, 0xEF, 0xEE, CloneFrames::kEndAnswer, 0x00};
    const bool accepted =
        answer == CloneFrameCollector::Result::Frame && collector_.Frame() == kAccepted;
    result_->code = accepted ? CDRV_Ok : CDRV_NotAcked;
    GoTo(S_Drain);
}

void cmcCloneDrv::DoDrain() {
    if (port_.GetPendingOut() > 0)
        return;
    if (AbandonsQuietly())
        WaitForQuiet(S_Finish);
    else
        GoTo(S_Finish);
}

// Its own clock: it neither times out nor holds for echoes. Giving up on a line that stays
// busy ends an exchange that was about to start with CDRV_LineBusy; a failed exchange keeps
// the code that names its failure.
void cmcCloneDrv::DoQuiet() {
    progress_ = true;
    for (int i = 0; i < kQuietReadsPerTick && port_.Read(readChunk_, sizeof readChunk_) > 0; ++i)
        quiet_.Start(kQuietMs);
    if (quiet_.Remaining() == 0)
        GoTo(afterQuiet_);
    else if (quietLimit_.Remaining() == 0 && afterQuiet_ == S_Finish)
        GoTo(S_Finish);
    else if (quietLimit_.Remaining() == 0)
        Fail(CDRV_LineBusy);
}
