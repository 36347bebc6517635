#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/cmcBuff.h"
#include "common/cmcComm.h"
#include "common/cmcTick.h"
#include "loader/LoaderImage.h"
#include "loader/clsMotS.h"
#include "loader/clsPacket.h"

class clsGTex;

// The firmware load: one step per tick brings the radio into boot mode over the cable, agrees
// the bit rate, checks the product, uploads the writer program, sends the ROM image in
// 128-byte data frames and a sum frame, wakes the radio and counts completed loads. Every
// byte sent comes back through the cable and is checked before the state goes on.
class clsMainSeq {
public:
    enum State {
        WaitEcho,
        Opening,
        Reset,
        Standby,
        RomFile_Open,
        RomFile_Load,
        RomFile_Ok,
        Ready,
        Start_,
        CommOpen,
        Boot_Reset_On,
        Boot_Mode_ON,
        Boot_Reset_Off,
        Boot_Check_Setup,
        Boot_Check_Loop,
        BitRate_00_First,
        BitRate_00_Next,
        Bitrate_Send55,
        Bitrate_WaitAA,
        FlachChk_Setup,
        FlachChk,
        Firm_SendAdr,
        Firm_ReplyAdr_U,
        Firm_ReplyAdr_L,
        Firm_SendData,
        Firm_WaitAA,
        RomW_Setup,
        RomW_Setup_Wait,
        RomW_ChkRig,
        RomW_Data,
        RomW_Sum,
        Wake_Reset_Req,
        Wake_Reset_On,
        Wake_Mode_Off,
        Wake_Reset_Off,
        Completed,
        kStateCount
    };
    // The error codes of a step; each is named by field 0 of its line of the error texts.
    enum Error {
        Err_None,
        Err_RomImage_Open,
        Err_RomImage_Format,
        Err_ComOpen,
        Err_Boot,
        Err_Bitrate,
        Err_FirmUpload,
        Err_Product,
        Err_RomData,
        Err_WakeAgain,
        Err_MisMatch,  // never raised
        Err_Unknown,
    };
    static constexpr int kCompletedModulo = 999999;

    // The texts of the warning box come from the table; the images default to the embedded ones.
    explicit clsMainSeq(clsGTex& texts, const LoaderImage& writer = EmbeddedWriterImage(),
                        const LoaderImage& rom = EmbeddedRomImage());
    ~clsMainSeq();
    clsMainSeq(const clsMainSeq&) = delete;
    clsMainSeq& operator=(const clsMainSeq&) = delete;

    // One step; the error code (0 none), which stays set until ClearError.
    int Step();
    int GetState() const { return state_; }
    int GetProgress() const { return progress_; }
    int GetCompletedCount() const { return completedCount_; }
    const clsMotS& GetRomStore() const { return *romStore_; }
    void ClearError() { error_ = 0; }
    void SetPortNumber(int n) { portNumber_ = n; }
    void SetRomFileName(const std::string& name) { romFileName_ = name; }
    const std::string& GetRomFileName() const { return romFileName_; }
    bool IsPortOpen() const { return port_.IsOpen(); }
    // Waits up to ms for the radio's bytes; false at once when the port is closed.
    bool WaitForInput(int ms) { return port_.WaitForInput(ms); }
    bool CanStart() const { return state_ == Standby || state_ == Ready; }
    bool CanCancel() const {
        return state_ == WaitEcho || (state_ >= RomFile_Open && state_ <= RomFile_Ok) ||
               state_ >= Start_;
    }
    void Start();
    void Cancel();
    void Stop();
    void StopAndForgetFile();

    static int NextCompletedCount(int count) { return (count + 1) % kCompletedModulo; }

private:
    using Action = void (clsMainSeq::*)();
    struct StateRow {
        State state;
        Action action;
        Error timeoutError;  // raised when the state is unchanged and the step timer ran out
    };
    static const StateRow kStates[kStateCount];
    static constexpr bool StatesInOrder();

    void Init();
    void ClosePort();
    int DrainInput();
    bool IsRomImagePlaced() const { return romStore_->GetLowest() > 4095; }
    int CountDataBlocks() const;
    void EnsureFrameBuffer(int n);

    bool CheckEcho();
    bool TakeEchoed(uint8_t byte);
    bool IsEchoOverdue() const;
    void NoteEchoStart();
    void Fail(Error error);
    void ExpectAnswer(uint8_t expected, Error error, State next);
    bool TakeAcknowledgement();
    bool ReadByte(uint8_t& byte);
    void Send(const uint8_t* bytes, int n);
    void SendByte(uint8_t byte) { Send(&byte, 1); }
    void SendZero();
    void SendFrame();
    void PlaceImage(clsMotS& store, const LoaderImage& image);
    static int ProgressOf(int64_t done, int64_t total);

    void DoNothing() {}
    void DoOpening();
    void DoReset();
    void DoStandby();
    void DoRomFileOpen();
    void DoRomFileLoad();
    void DoRomFileOk() { state_ = Ready; }
    void DoReady();
    void DoStart();
    void DoCommOpen();
    void DoBootCheckSetup();
    void DoBootCheckLoop();
    void DoBitRateFirst();
    void DoBitRateNext();
    void DoSend55();
    void DoWaitAA();
    void DoProductSetup();
    void DoProductCheck();
    void DoSendLength();
    void DoReplyLength();
    void DoSendWriter();
    void DoWriterDone();
    void DoRomSetup();
    void DoRomSetupWait();
    void DoRomCheckRig() { state_ = RomW_Data; }
    void DoRomData();
    void DoRomSum();
    void DoWakeRequest();
    void DoCompleted();

    clsGTex& texts_;
    const LoaderImage& writerImage_;
    const LoaderImage& romImage_;
    int state_ = Opening;
    cmcComm port_;
    std::unique_ptr<clsMotS> writerStore_;
    std::unique_ptr<clsMotS> romStore_;
    // An S-record file is read here and becomes the ROM store only when it was read whole.
    std::unique_ptr<clsMotS> fileStore_;
    clsPacket packet_;
    int portNumber_ = 1;
    int error_ = Err_None;
    int completedCount_ = 0;
    cmcTick stepTimer_;
    // The 1 ms read budget of state 5, the wait for a 0x00's answer in states 15-16 and the
    // settling pause of states 26-27.
    cmcTick auxTimer_;
    std::string romFileName_;
    int sent_ = 0;
    int verified_ = 0;
    int64_t blockAddress_ = 0;
    int awaiting_ = 0;
    std::array<uint8_t, 128> blockBuffer_{};
    std::vector<uint8_t> frameBuffer_;
    int progress_ = 0;
    cmcBuff echoQueue_;
    uint32_t echoSentMs_ = 0;    // when the oldest byte of the echo queue was sent
    bool bootAnswered_ = false;  // the probe loop met the boot answer among the echoes
    int countdown_ = 0;
    int blockTotal_ = 0;
    int blocksAcknowledged_ = 0;
};
