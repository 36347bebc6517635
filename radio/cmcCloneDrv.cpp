#include "radio/cmcCloneDrv.h"

#include <algorithm>

#include "common/TextHelpers.h"
#include "common/cmcTask.h"
#include "platform/Clock.h"
#include "radio/CloneFrames.h"

namespace {

constexpr int kTickMs = 10;
constexpr uint32_t kFlushMs = 100;
constexpr int kFlushReads = 65535;
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
    return Start(1, std::move(completion));
}

bool cmcCloneDrv::StartRead(const AddressRangeList* ranges, Completion completion) {
    if (IsBusy())
        return false;
    ranges_.reset();
    if (ranges)
        ranges_ = *ranges;
    return Start(2, std::move(completion));
}

bool cmcCloneDrv::StartWrite(const cmcEeprom& image, const AddressRangeList* ranges,
                             Completion completion) {
    if (IsBusy())
        return false;
    ranges_ = ranges ? *ranges : AddressRangeList{};
    rangeIndex_ = 0;
    ackDue_ = false;
    nextAddress_ = ranges_->empty() ? 0 : ranges_->front().first;
    Start(3, std::move(completion));
    result_->image.Assign(image);
    return true;
}

bool cmcCloneDrv::Start(int mode, Completion completion) {
    if (IsBusy())
        return false;
    mode_ = mode;
    completion_ = std::move(completion);
    NewResult(mode);
    state_ = S_Start;
    task_->SetInterval(kTickMs);
    return true;
}

void cmcCloneDrv::NewResult(int mode) {
    result_ = std::make_unique<dst_CDrv_Result>();
    result_->mode = mode;
    result_->code = CDRV_PortOpen;
    result_->infoWord0 = word0_;
    result_->infoWord1 = word1_;
    result_->image.Resize(memorySize_);
    frameCount_ = 0;
    dataBytes_ = 0;
}

void cmcCloneDrv::Tick() {
    if (state_ != S_Idle)
        Step();
    if (result_ && port_.HasError()) {
        result_->code = CDRV_PortError;
        state_ = S_Finish;
    }
    if (state_ == S_Finish)
        Finish();
    if (state_ == S_Idle)
        task_->SetInterval(-1);
}

void cmcCloneDrv::Step() {
    next_ = state_ + 1;
    progress_ = true;
    const bool expired = timeout_.Remaining() == 0;
    const EchoState echo = CheckEcho();
    if (echo == EchoState::Differs) {
        // Ends the exchange at once, whatever the state would have done.
    } else if (echo == EchoState::Waiting || state_ == S_Hold) {
        next_ = state_;
    } else {
        RunState();
    }
    if (next_ != state_)
        progress_ = true;
    if (progress_) {
        timeout_.Start(TimeoutFor(next_));
    } else if (expired && state_ == S_Drain) {
        next_ = S_Finish;  // the output never left: give up on it, keeping the code
    } else if (expired) {
        Fail(echoCheck_ && echoQueue_.GetLength() > 0 ? CDRV_Echo : CDRV_Timeout);
    }
    state_ = next_;
}

void cmcCloneDrv::RunState() {
    switch (state_) {
        case S_Script:
            return DoScript();
        case S_Open:
            return DoOpen();
        case S_InfoRequest:
            return SendCommand(CloneFrames::kInfoRequest);
        case S_InfoAnswer:
            return DoInfoAnswer();
        case S_ReadRequest:
            return SendCommand(CloneFrames::kReadRequest);
        case S_ReadData:
            return DoReadData();
        case S_WriteRequest:
            return DoWriteRequest();
        case S_FirstAck:
        case S_Ack:
            return DoAck();
        case S_WriteData:
            return DoWriteData();
        case S_EndFrame:
            return Send(CloneFrames::EndFrame(sendFrameCount_, frameCount_));
        case S_EndAnswer:
            return DoEndAnswer();
        case S_Drain:
            return DoDrain();
        default:  // idle, start, and finish, which Tick does
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
        progress_ = false;
        ReadPort();
        while (rxQueue_.GetLength() > 0 && echoQueue_.GetLength() > 0) {
            if (*rxQueue_.At(0) != *echoQueue_.At(0)) {
                Fail(CDRV_Echo);
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
    next_ = S_Drain;
}

void cmcCloneDrv::Finish() {
    port_.Close();
    state_ = S_Idle;
    rxQueue_.Clear();
    frameBuffer_.Clear();
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
    for (int i = 0; i < kFlushReads && port_.Read(&byte, 1) > 0; ++i) {
    }
    return true;
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
            Flush();
        } else {
            const size_t open = script_.find('(');
            const cmcBuff bytes = HexTextToBuff(std::string_view(script_).substr(0, open));
            script_.erase(0, open);
            Send(std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetLength()));
        }
    }
    // The script ends once its last bytes have left; that wait is bounded by the time-out.
    next_ = !script_.empty() || port_.GetPendingOut() > 0 ? S_Script : S_Open;
}

void cmcCloneDrv::DoOpen() {
    port_.Close();
    if (!port_.Open(portNumber_, transferSettings_)) {
        Fail(CDRV_PortOpen);
        return;
    }
    Flush();
    static constexpr int kFirstState[] = {S_Drain, S_InfoRequest, S_ReadRequest, S_WriteRequest};
    next_ = kFirstState[mode_];
}

void cmcCloneDrv::SendCommand(uint8_t command) {
    Send(CloneFrames::CommandFrame(command, word0_, word1_, commandPreamble_));
    frameBuffer_.Clear();
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
    const std::optional<std::vector<uint8_t>> frame = ReadFrame();
    if (!frame) {
        next_ = S_InfoAnswer;
        progress_ = false;
        return;
    }
    const std::vector<uint8_t>& f = *frame;
    const bool sound = f.size() >= 8 && f[0] == 0xFE && f[1] == 0xEF && f[2] == 0xEE &&
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
    next_ = S_Drain;
}

// The identity and end answers: the last complete frame among the bytes that have come.
std::optional<std::vector<uint8_t>> cmcCloneDrv::ReadFrame() {
    ReadPort();
    std::optional<std::vector<uint8_t>> frame;
    int b;
    while ((b = rxQueue_.PopFront()) >= 0) {
        if (b == CloneFrames::kPreamble) {
            frameBuffer_.Clear();
            frameBuffer_.AddByte(b);
        } else if (frameBuffer_.GetLength() == 0) {
            // outside a frame: dropped
        } else if (b == CloneFrames::kEnd) {
            frame.emplace(frameBuffer_.GetData(),
                          frameBuffer_.GetData() + frameBuffer_.GetLength());
            frameBuffer_.Clear();
        } else if (frameBuffer_.GetLength() > CloneFrames::kLongestCollected - 1) {
            frameBuffer_.Clear();
            return std::vector<uint8_t>{0x00};  // fails every header test
        } else {
            frameBuffer_.AddByte(b);
        }
    }
    return frame;
}

void cmcCloneDrv::DoReadData() {
    next_ = S_ReadData;
    progress_ = false;
    ReadPort();
    int b;
    while ((b = rxQueue_.PopFront()) >= 0) {
        if (b == CloneFrames::kPreamble) {
            frameBuffer_.Clear();
            frameBuffer_.AddByte(b);
        } else if (frameBuffer_.GetLength() == 0) {
            // outside a frame: dropped
        } else if (b != CloneFrames::kEnd) {
            frameBuffer_.AddByte(b);
            if (frameBuffer_.GetLength() > CloneFrames::kLongestCollected) {
                Fail(CDRV_Format);
                return;
            }
        } else {
            const int parsed = ParseFrame();
            frameBuffer_.Clear();
            if (parsed != 1) {
                const int coverage =
                    ranges_ ? CloneFrames::CheckReceivedCoverage(*ranges_, result_->image.GetSize(),
                                                                 result_->received)
                            : CDRV_Ok;
                Fail(parsed == 0 ? coverage : parsed);
                return;
            }
            ++frameCount_;
            progress_ = true;
        }
    }
}

// 1 a data frame stored, 0 the end frame accepted, else the code that ends the read.
int cmcCloneDrv::ParseFrame() {
    const uint8_t* f = frameBuffer_.GetData();
    const int n = frameBuffer_.GetLength();
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

void cmcCloneDrv::DoWriteRequest() {
    SendCommand(CloneFrames::kWriteRequest);
    next_ = waitFirstAck_ ? S_FirstAck : S_WriteData;
}

void cmcCloneDrv::DoAck() {
    next_ = state_;
    progress_ = false;
    ReadPort();
    const int b = rxQueue_.PopFront();
    if (b == CloneFrames::kAck)
        next_ = S_WriteData;
    else if (b == CloneFrames::kRefusal)
        Fail(CDRV_Format);
}

const AddressRange* cmcCloneDrv::CurrentRange() const {
    if (!ranges_ || rangeIndex_ >= CountRanges(*ranges_))
        return nullptr;
    return &(*ranges_)[rangeIndex_];
}

// Up to eight rounds a tick, each building at most one frame. A batch waits while the port
// holds more than four times its size; an acknowledgement point is waited for only once the
// frame that reaches it has been written.
void cmcCloneDrv::DoWriteData() {
    next_ = S_WriteData;
    progress_ = false;
    for (int round = 0; round < kRoundsPerTick; ++round) {
        const AddressRange* range = CurrentRange();
        if (!ackDue_ && range && nextAddress_ > range->last) {
            ++rangeIndex_;
            if (const AddressRange* following = CurrentRange())
                nextAddress_ = following->first;
        } else if (!ackDue_ && range) {
            BuildDataFrame(*range);
            ackDue_ = AtAckPoint(*range);
        } else if (!range && frameBuffer_.GetLength() == 0) {
            if (port_.GetPendingOut() == 0)
                next_ = S_EndFrame;
            return;
        }
        if (frameBuffer_.GetLength() > 0) {
            if (4 * frameBuffer_.GetLength() < port_.GetPendingOut())
                return;
            Send(std::vector<uint8_t>(frameBuffer_.GetData(),
                                      frameBuffer_.GetData() + frameBuffer_.GetLength()));
            frameBuffer_.Clear();
            progress_ = true;
        }
        if (ackDue_) {
            ackDue_ = false;
            next_ = S_Ack;
            return;
        }
    }
}

void cmcCloneDrv::BuildDataFrame(const AddressRange& range) {
    const int end = std::min((nextAddress_ / bytesPerLine_ + 1) * bytesPerLine_ - 1, range.last);
    std::vector<uint8_t> data;
    for (int a = nextAddress_; a <= end; ++a)
        data.push_back(result_->image.GetByte(a));
    const int preamble = frameCount_ == 0 ? dataPreambleFirst_ : dataPreambleLater_;
    const std::vector<uint8_t> frame = CloneFrames::DataFrame(nextAddress_, data, preamble);
    frameBuffer_.AppendBytes(frame.data(), static_cast<int>(frame.size()));
    ++frameCount_;
    nextAddress_ = end + 1;
    dataBytes_ += static_cast<int>(data.size());
}

bool cmcCloneDrv::AtAckPoint(const AddressRange& range) const {
    return nextAddress_ != range.first && ackInterval_ != 0 &&
           nextAddress_ % ackInterval_ == ackOffset_;
}

void cmcCloneDrv::DoEndAnswer() {
    const std::optional<std::vector<uint8_t>> frame = ReadFrame();
    if (!frame) {
        next_ = S_EndAnswer;
        progress_ = false;
        return;
    }
    static const std::vector<uint8_t> kAccepted = {0xFE, 0xEF, 0xEE, CloneFrames::kEndAnswer, 0x00};
    result_->code = *frame == kAccepted ? CDRV_Ok : CDRV_NotAcked;
}

void cmcCloneDrv::DoDrain() {
    progress_ = false;
    next_ = S_Drain;
    if (port_.GetPendingOut() == 0) {
        next_ = S_Finish;
        progress_ = true;
    }
}
