#include "loader/clsMainSeq.h"

#include <algorithm>
#include <cstring>

#include "loader/UnscrambleImage.h"
#include "loader/clsGTex.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

namespace {

constexpr uint32_t kStepMs = 5000;
constexpr uint32_t kSettleMs = 300;
// How long a 0x00 of the bit-rate agreement waits for its answer before the next one goes.
constexpr uint32_t kZeroAnswerMs = 3;
constexpr uint32_t kDrainMs = 100;
constexpr int kDrainLimit = 65535;
// Longer than any echo the sequence waits for takes on the line (about 270 bytes at 38,400).
constexpr uint32_t kEchoGraceMs = 250;
constexpr int kBlock = 128;
constexpr int kWriterBytesPerStep = 255;
constexpr int64_t kSumLast = 0x3FFFF;
constexpr uint8_t kProbe[4] = {'Z', 'E', 'L', 'K'};
constexpr uint8_t kBootAnswer = 0x55;
constexpr uint8_t kRateByte = 0x55;
constexpr uint8_t kRateAnswer = 0xAA;
constexpr uint8_t kWriterDone = 0xAA;
constexpr uint8_t kAck = 0xFB;

// States whose only work in echo mode is to let the echoes settle: the echo check raises them.
bool IsLineState(int state) {
    return (state >= clsMainSeq::Boot_Reset_On && state <= clsMainSeq::Boot_Reset_Off) ||
           (state >= clsMainSeq::Wake_Reset_On && state <= clsMainSeq::Wake_Reset_Off);
}

}  // namespace

// Action and time-out error of every state, in state order. The line states (10-12, 32-34)
// never reach their action: the echo check raises them.
constexpr clsMainSeq::StateRow clsMainSeq::kStates[kStateCount] = {
    {WaitEcho, &clsMainSeq::DoNothing, Err_None},
    {Opening, &clsMainSeq::DoOpening, Err_None},
    {Reset, &clsMainSeq::DoReset, Err_None},
    {Standby, &clsMainSeq::DoStandby, Err_None},
    {RomFile_Open, &clsMainSeq::DoRomFileOpen, Err_None},
    {RomFile_Load, &clsMainSeq::DoRomFileLoad, Err_None},
    {RomFile_Ok, &clsMainSeq::DoRomFileOk, Err_None},
    {Ready, &clsMainSeq::DoReady, Err_None},
    {Start_, &clsMainSeq::DoStart, Err_None},
    {CommOpen, &clsMainSeq::DoCommOpen, Err_None},
    {Boot_Reset_On, &clsMainSeq::DoNothing, Err_None},
    {Boot_Mode_ON, &clsMainSeq::DoNothing, Err_None},
    {Boot_Reset_Off, &clsMainSeq::DoNothing, Err_None},
    {Boot_Check_Setup, &clsMainSeq::DoBootCheckSetup, Err_None},
    {Boot_Check_Loop, &clsMainSeq::DoBootCheckLoop, Err_Boot},
    {BitRate_00_First, &clsMainSeq::DoBitRateFirst, Err_None},
    {BitRate_00_Next, &clsMainSeq::DoBitRateNext, Err_Bitrate},
    {Bitrate_Send55, &clsMainSeq::DoSend55, Err_None},
    {Bitrate_WaitAA, &clsMainSeq::DoWaitAA, Err_Bitrate},
    {FlachChk_Setup, &clsMainSeq::DoProductSetup, Err_None},
    {FlachChk, &clsMainSeq::DoProductCheck, Err_Product},
    {Firm_SendAdr, &clsMainSeq::DoSendLength, Err_None},
    {Firm_ReplyAdr_U, &clsMainSeq::DoReplyLength, Err_FirmUpload},
    {Firm_ReplyAdr_L, &clsMainSeq::DoReplyLength, Err_FirmUpload},
    {Firm_SendData, &clsMainSeq::DoSendWriter, Err_FirmUpload},
    {Firm_WaitAA, &clsMainSeq::DoWriterDone, Err_FirmUpload},
    {RomW_Setup, &clsMainSeq::DoRomSetup, Err_None},
    {RomW_Setup_Wait, &clsMainSeq::DoRomSetupWait, Err_None},
    {RomW_ChkRig, &clsMainSeq::DoRomCheckRig, Err_None},
    {RomW_Data, &clsMainSeq::DoRomData, Err_RomData},
    {RomW_Sum, &clsMainSeq::DoRomSum, Err_RomData},
    {Wake_Reset_Req, &clsMainSeq::DoWakeRequest, Err_None},
    {Wake_Reset_On, &clsMainSeq::DoNothing, Err_None},
    {Wake_Mode_Off, &clsMainSeq::DoNothing, Err_None},
    {Wake_Reset_Off, &clsMainSeq::DoNothing, Err_None},
    {Completed, &clsMainSeq::DoCompleted, Err_None},
};

// Each row names its state, so a row out of place fails the build (see Step).
constexpr bool clsMainSeq::StatesInOrder() {
    for (int i = 0; i < kStateCount; ++i) {
        if (kStates[i].state != i) {
            return false;
        }
    }
    return true;
}

clsMainSeq::clsMainSeq(clsGTex& texts, const LoaderImage& writer, const LoaderImage& rom)
    : texts_(texts),
      writerImage_(writer),
      romImage_(rom),
      writerStore_(std::make_unique<clsMotS>()),
      romStore_(std::make_unique<clsMotS>()),
      fileStore_(std::make_unique<clsMotS>()) {
    writerStore_->Clear(0xFF);
    romStore_->Clear(0xFF);
    Init();
}

clsMainSeq::~clsMainSeq() {
    ClosePort();
}

void clsMainSeq::Init() {
    state_ = Opening;
    romFileName_.clear();
    ClosePort();
    progress_ = 0;
}

void clsMainSeq::Start() {
    state_ = state_ > RomFile_Ok ? Start_ : RomFile_Open;
}

void clsMainSeq::Cancel() {
    if (state_ > RomFile_Ok) {
        Stop();
    } else {
        StopAndForgetFile();
    }
}

void clsMainSeq::Stop() {
    if (state_ < Standby) {
        return;
    }
    state_ = Standby;
    ClosePort();
    progress_ = 0;
    echoQueue_.Clear();
}

void clsMainSeq::StopAndForgetFile() {
    Stop();
    romFileName_.clear();
}

void clsMainSeq::ClosePort() {
    if (port_.IsOpen()) {
        port_.SetDtrControl(0);
        port_.SetRtsControl(0);
        port_.Close();
    }
}

int clsMainSeq::DrainInput() {
    if (!port_.IsOpen()) {
        return 0;
    }
    cmcTick settle;
    settle.Start(kDrainMs);
    while (settle.Remaining() != 0) {
        platform::CurrentClock().SleepMs(1);
    }
    uint8_t byte = 0;
    for (int n = 0; n < kDrainLimit && port_.Read(&byte, 1) == 1; ++n) {
    }
    return 1;
}

// The walk of the ROM data state: from the lowest address's block up to and including the
// block that holds the highest address.
int clsMainSeq::CountDataBlocks() const {
    if (romStore_->GetSize() == 0) {
        return 0;
    }
    int count = 0;
    for (int64_t a = romStore_->GetLowest() / kBlock * kBlock; a <= romStore_->GetHighest();
         a += kBlock) {
        count += romStore_->IsBlank(a, kBlock) ? 0 : 1;
    }
    return count;
}

void clsMainSeq::EnsureFrameBuffer(int n) {
    if (n > static_cast<int>(frameBuffer_.size())) {
        frameBuffer_.assign(n, 0);
    }
}

int clsMainSeq::ProgressOf(int64_t done, int64_t total) {
    if (total <= 0) {
        return 0;
    }
    return static_cast<int>(std::clamp<int64_t>(done * 255 / total, 0, 255));
}

int clsMainSeq::Step() {
    static_assert(StatesInOrder(), "the state table must list the states in order");
    const int begun = state_;
    if (CheckEcho()) {
        if (state_ >= Boot_Check_Loop && stepTimer_.Remaining() == 0 && IsEchoOverdue()) {
            Fail(Err_Unknown);
        }
    } else {
        (this->*kStates[begun].action)();
        const Error timeoutError = kStates[begun].timeoutError;
        if (timeoutError != Err_None && state_ == begun && stepTimer_.Remaining() == 0) {
            Fail(timeoutError);
        }
    }
    if (port_.HasError()) {
        Fail(Err_Unknown);
        ClosePort();  // a failing device (an unplugged adapter) is let go at once
    }
    if (error_ != Err_None) {
        echoQueue_.Clear();
    }
    return error_;
}

// True when the step must wait: echoes still missing, an echo that differs, or a line state.
bool clsMainSeq::CheckEcho() {
    const int n = echoQueue_.GetLength();
    if (n > 0) {
        if (port_.GetInQueue() < n) {
            return true;
        }
        for (int i = 0; i < n; ++i) {
            uint8_t byte = 0;
            port_.Read(&byte, 1);
            if (!TakeEchoed(byte)) {
                Fail(Err_Unknown);
                return true;
            }
        }
        if (echoQueue_.GetLength() > 0) {
            return true;  // a boot answer came in place of an echo: the echo is still to come
        }
    }
    if (IsLineState(state_)) {
        ++state_;
        return true;
    }
    return false;
}

// Whether a byte received while echoes are outstanding is the next echo. The radio answers a
// probe a byte time or more after its echo, so its answer to one probe may come when the next
// probe is already on its way: in the probe loop that answer counts, in place of an echo.
bool clsMainSeq::TakeEchoed(uint8_t byte) {
    if (byte == *echoQueue_.At(0)) {
        echoQueue_.PopFront();
        return true;
    }
    if (state_ == Boot_Check_Loop && byte == kBootAnswer) {
        bootAnswered_ = true;
        return true;
    }
    return false;
}

// An echo still on its way when the step timer runs out is not missing: the state's own
// time-out then speaks once it has arrived.
bool clsMainSeq::IsEchoOverdue() const {
    return echoQueue_.GetLength() > 0 &&
           platform::CurrentClock().TickCount() - echoSentMs_ >= kEchoGraceMs;
}

void clsMainSeq::NoteEchoStart() {
    if (echoQueue_.GetLength() == 0) {
        echoSentMs_ = platform::CurrentClock().TickCount();
    }
}

void clsMainSeq::Fail(Error error) {
    error_ = error;
    state_ = Standby;
}

bool clsMainSeq::ReadByte(uint8_t& byte) {
    return port_.Read(&byte, 1) == 1;
}

void clsMainSeq::Send(const uint8_t* bytes, int n) {
    NoteEchoStart();
    port_.Write(bytes, n);
    echoQueue_.AppendBytes(bytes, n);
}

void clsMainSeq::SendFrame() {
    const int n = packet_.GetLength();
    EnsureFrameBuffer(n);
    packet_.CopyTo(frameBuffer_.data());
    Send(frameBuffer_.data(), n);
}

void clsMainSeq::DoOpening() {
    std::string text;
    for (int n = 0;; ++n) {
        std::string line = texts_.GetLine("Seq_Message_OpWarn", n);
        const size_t first = line.find_first_not_of(" \t");
        const size_t last = line.find_last_not_of(" \t");
        if (first != std::string::npos && line.substr(first, last - first + 1) == "#") {
            break;
        }
        text += line + "\n";
        if (line == clsGTex::kErrorText) {  // a missing key has no "#" line to end it
            break;
        }
    }
    platform::Boxes().Show(text, texts_.GetLine("Sys_AppTitle", 0), platform::BoxIcon::Warning,
                           platform::BoxButtons::Ok);
    state_ = Reset;
}

void clsMainSeq::PlaceImage(clsMotS& store, const LoaderImage& image) {
    store.Clear(0xFF);
    uint8_t* place = store.MapRange(image.first, static_cast<int64_t>(image.Size()));
    if (place != nullptr) {
        std::memcpy(place, image.bytes, image.Size());
        UnscrambleImage(place, image.Size());
    }
}

void clsMainSeq::DoReset() {
    state_ = Reset;
    ClosePort();
    progress_ = 0;
    PlaceImage(*writerStore_, writerImage_);
    PlaceImage(*romStore_, romImage_);
    if (!IsRomImagePlaced() || writerStore_->GetSize() == 0) {
        platform::Boxes().FatalEnd("Inside RomImage Error", "RomCheck");
    }
    state_ = Standby;
}

void clsMainSeq::DoStandby() {
    ClosePort();
    state_ = Ready;
}

void clsMainSeq::DoRomFileOpen() {
    fileStore_->Clear(0xFF);
    fileStore_->OpenFile(romFileName_);
    state_ = RomFile_Load;
}

void clsMainSeq::DoRomFileLoad() {
    auxTimer_.Start(1);
    for (;;) {
        const int result = fileStore_->ReadRecord();
        if (fileStore_->GetFileSize() > 0) {
            progress_ = ProgressOf(fileStore_->GetFilePosition(), fileStore_->GetFileSize());
        }
        if (result == clsMotS::kEnd && fileStore_->GetLowest() > 4095) {
            std::swap(romStore_, fileStore_);  // only a whole, placed image is taken
            state_ = RomFile_Ok;
            return;
        }
        if (result >= clsMotS::kEnd) {
            Fail(result == clsMotS::kNoFile ? Err_RomImage_Open : Err_RomImage_Format);
            romFileName_.clear();
            return;
        }
        if (auxTimer_.Remaining() == 0) {
            return;
        }
    }
}

void clsMainSeq::DoReady() {
    ClosePort();
    progress_ = 0;
}

void clsMainSeq::DoStart() {
    ClosePort();
    progress_ = 0;
    state_ = CommOpen;
}

void clsMainSeq::DoCommOpen() {
    port_.SetDtrControl(0);
    port_.SetRtsControl(0);
    if (!port_.Open(portNumber_, "9600,N,8,1")) {
        Fail(Err_ComOpen);
        return;
    }
    port_.SetBitRate(19200);
    state_ = Boot_Reset_On;
}

void clsMainSeq::DoBootCheckSetup() {
    port_.SetDtrControl(1);
    port_.SetRtsControl(1);
    port_.SetBitRate(38400);
    DrainInput();
    echoQueue_.Clear();
    bootAnswered_ = false;
    stepTimer_.Start(kStepMs);
    state_ = Boot_Check_Loop;
}

void clsMainSeq::DoBootCheckLoop() {
    if (bootAnswered_) {
        state_ = BitRate_00_First;
        return;
    }
    uint8_t byte = 0;
    if (!ReadByte(byte)) {
        Send(kProbe, sizeof kProbe);
    } else if (byte == kBootAnswer) {
        state_ = BitRate_00_First;
    }
}

void clsMainSeq::DoBitRateFirst() {
    stepTimer_.Start(kStepMs);
    uint8_t byte = 0;
    for (int n = 0; n < kDrainLimit && ReadByte(byte); ++n) {
    }
    SendZero();
    state_ = BitRate_00_Next;
}

// The radio's 0x00 looks like the echo of a 0x00, so a 0x00 sent before that answer has come
// would be taken for it, and the sequence would stay one byte behind for good: the next 0x00
// goes only when no answer came for a while after the last one.
void clsMainSeq::DoBitRateNext() {
    if (port_.GetPendingOut() != 0) {
        return;
    }
    uint8_t byte = 0;
    if (!ReadByte(byte)) {
        if (auxTimer_.Remaining() == 0) {
            SendZero();
        }
    } else if (byte == 0x00) {
        state_ = Bitrate_Send55;
    }
}

void clsMainSeq::SendZero() {
    SendByte(0x00);
    auxTimer_.Start(kZeroAnswerMs);
}

void clsMainSeq::DoSend55() {
    SendByte(kRateByte);
    state_ = Bitrate_WaitAA;
}

// Waits for one answer byte: the expected one moves on to the next state, any other fails.
void clsMainSeq::ExpectAnswer(uint8_t expected, Error error, State next) {
    uint8_t byte = 0;
    if (!ReadByte(byte)) {
        return;
    }
    if (byte != expected) {
        Fail(error);
        return;
    }
    state_ = next;
}

void clsMainSeq::DoWaitAA() {
    ExpectAnswer(kRateAnswer, Err_Bitrate, FlachChk_Setup);
}

void clsMainSeq::DoProductSetup() {
    countdown_ = 3;
    awaiting_ = 0;
    state_ = FlachChk;
}

// Sends 'D', 'C', 'B', 'A', each once the radio answered the one before.
void clsMainSeq::DoProductCheck() {
    uint8_t byte = 0;
    if (awaiting_ && ReadByte(byte)) {
        awaiting_ = 0;
        if (countdown_ == 0) {
            state_ = Firm_SendAdr;
            return;
        }
        --countdown_;
        stepTimer_.Start(kStepMs);
    }
    if (!awaiting_) {
        SendByte(static_cast<uint8_t>('A' + countdown_));
        awaiting_ = 1;
    }
}

void clsMainSeq::DoSendLength() {
    stepTimer_.Start(kStepMs);
    sent_ = 0;
    verified_ = 0;
    const int length = writerStore_->GetSize();
    const uint8_t bytes[2] = {static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    Send(bytes, 2);
    state_ = Firm_ReplyAdr_U;
}

// States 22 and 23: the radio returns the length, high byte first.
void clsMainSeq::DoReplyLength() {
    const int length = writerStore_->GetSize();
    const bool high = state_ == Firm_ReplyAdr_U;
    const uint8_t expected = static_cast<uint8_t>(high ? length >> 8 : length);
    ExpectAnswer(expected, Err_FirmUpload, high ? Firm_ReplyAdr_L : Firm_SendData);
}

// The echo check has confirmed every byte sent so far; at most 255 more go out in one write.
void clsMainSeq::DoSendWriter() {
    const int length = writerStore_->GetSize();
    if (verified_ == length) {
        state_ = Firm_WaitAA;
        return;
    }
    verified_ = sent_;
    NoteEchoStart();
    for (int taken = 0; taken < kWriterBytesPerStep && sent_ < length &&
                        port_.GetPendingOut() < port_.GetOutSpace() && !port_.HasError();
         ++taken) {
        echoQueue_.AppendByte(writerStore_->GetByte(writerStore_->GetLowest() + sent_));
        ++sent_;
    }
    if (echoQueue_.GetLength() > 0) {
        port_.Write(echoQueue_.GetData(), echoQueue_.GetLength());
    }
    progress_ = ProgressOf(verified_, length);
}

void clsMainSeq::DoWriterDone() {
    ExpectAnswer(kWriterDone, Err_FirmUpload, RomW_Setup);
}

void clsMainSeq::DoRomSetup() {
    stepTimer_.Start(kStepMs);
    auxTimer_.Start(kSettleMs);
    blockTotal_ = CountDataBlocks();
    blocksAcknowledged_ = 0;
    port_.SetBitRate(38400);
    blockAddress_ = romStore_->GetLowest() / kBlock * kBlock;
    awaiting_ = 0;
    state_ = RomW_Setup_Wait;
}

void clsMainSeq::DoRomSetupWait() {
    if (auxTimer_.Remaining() == 0) {
        stepTimer_.Start(kStepMs);
        state_ = RomW_ChkRig;
    }
}

// Whether the awaited acknowledgement has come. Any other answer fails the load and leaves the
// acknowledgement awaited, so the caller sends nothing more.
bool clsMainSeq::TakeAcknowledgement() {
    uint8_t byte = 0;
    if (!awaiting_ || !ReadByte(byte)) {
        return false;
    }
    if (byte != kAck) {
        Fail(Err_RomData);
        return false;
    }
    awaiting_ = 0;
    return true;
}

// One data frame a step; blank blocks are skipped without sending.
void clsMainSeq::DoRomData() {
    if (TakeAcknowledgement()) {
        ++blocksAcknowledged_;
        progress_ = ProgressOf(blocksAcknowledged_, blockTotal_);
        stepTimer_.Start(kStepMs);
    }
    const int64_t highest = romStore_->GetHighest();
    while (!awaiting_ && blockAddress_ <= highest && !port_.HasError()) {
        if (!romStore_->IsBlank(blockAddress_, kBlock)) {
            romStore_->ReadBlock(blockAddress_, kBlock, blockBuffer_.data());
            packet_.BuildDataFrame(blockBuffer_.data(), static_cast<int>(blockAddress_), kBlock);
            SendFrame();
            awaiting_ = 1;
        }
        blockAddress_ += kBlock;
    }
    if (!awaiting_ && blockAddress_ > highest) {
        state_ = RomW_Sum;
    }
}

void clsMainSeq::DoRomSum() {
    if (TakeAcknowledgement()) {
        state_ = Wake_Reset_Req;
        return;
    }
    if (!awaiting_) {
        packet_.BuildSumFrame(romStore_->Sum(0, kSumLast));
        SendFrame();
        awaiting_ = 1;
    }
}

// The wake frame is the sum frame with the wake type; no reply is awaited.
void clsMainSeq::DoWakeRequest() {
    packet_.BuildSumFrame(romStore_->Sum(0, kSumLast));
    const int n = packet_.GetLength();
    EnsureFrameBuffer(n);
    packet_.CopyTo(frameBuffer_.data());
    frameBuffer_[2] = clsPacket::kWakeFrame;
    Send(frameBuffer_.data(), n);
    state_ = Wake_Reset_On;
}

void clsMainSeq::DoCompleted() {
    completedCount_ = NextCompletedCount(completedCount_);
    state_ = Ready;
}
