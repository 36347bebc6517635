#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/cmcBuff.h"
#include "common/cmcComm.h"
#include "common/cmcTick.h"
#include "radio/clone/CloneFrameCollector.h"
#include "radio/clone/dst_CDrv_Result.h"
#include "radio/image/AddressRange.h"

class cmcTask;

// Runs one exchange with the radio: information, read or write. While an exchange runs, a
// millisecond task steps a state machine that never blocks (but for the 100 ms flush after a
// port opens), running states on until one has to wait: it plays the set-up script, reopens
// the port at the transfer settings, exchanges the frames, and always ends through the drain
// and finish states, which close the port and hand the result to the completion closure once.
// A failing device ends the exchange with CDRV_PortError.
//
// A radio that was stopped listening to goes on sending the rest of its memory. So nothing is
// sent into a busy line: when bytes come in after a port opens, the engine waits until the line
// is quiet (CDRV_LineBusy when it never is), and a failed exchange waits for the quiet line
// before it ends, so that the next one can start at once.
class cmcCloneDrv {
public:
    // Called once when the exchange ends; may start the next exchange.
    using Completion = std::function<void(dst_CDrv_Result& result)>;

    // The exchange an engine runs; the result carries it as its mode.
    enum Mode { M_None, M_Info, M_Read, M_Write };

    enum State {
        S_Idle,
        S_Hold,
        S_Start,
        S_Script,
        S_Open,
        S_InfoRequest,
        S_InfoAnswer,
        S_ReadRequest,
        S_ReadData,
        S_WriteRequest,
        S_FirstAck,
        S_WriteData,
        S_Ack,
        S_EndFrame,
        S_EndAnswer,
        S_Drain,
        S_Finish,
        S_Quiet,  // drops what comes until the line has been quiet a while
        S_Count
    };

    cmcCloneDrv();
    ~cmcCloneDrv();
    cmcCloneDrv(const cmcCloneDrv&) = delete;
    cmcCloneDrv& operator=(const cmcCloneDrv&) = delete;

    void SetModelWords(int word0, int word1);
    void SetMemorySize(int size) { memorySize_ = size; }
    void SetPort(int portNumber, const std::string& settings);
    void SetCommandPreamble(int count) { commandPreamble_ = count; }
    void SetDataPreambles(int later, int first);
    void SetDataPreambles(int both) { SetDataPreambles(both, both); }
    void SetScript(const std::string& script) { script_ = script; }
    void SetSendFrameCount(int flag) { sendFrameCount_ = flag != 0; }
    void SetEchoCheck(int flag) { echoCheck_ = flag != 0; }
    void SetWaitFirstAck(int flag) { waitFirstAck_ = flag != 0; }
    // A value <= 0 leaves that setting as it is.
    void SetAckInterval(int interval, int offset);
    void SetDefaultTimeout(int ms);
    // The wait for the acknowledgement of a write request.
    void SetAckTimeout(int ms);

    // False when an exchange runs.
    bool StartInfo(Completion completion);
    bool StartRead(const AddressRangeList* ranges, Completion completion);
    bool StartWrite(const cmcEeprom& image, const AddressRangeList* ranges, Completion completion);
    bool IsBusy() const { return state_ != S_Idle; }
    // Stops a running exchange: the port closes at once, and the next tick hands the result to
    // the completion with CDRV_Cancelled (a failed exchange waiting for the quiet line keeps
    // its own code). Nothing happens when no exchange runs.
    void Cancel();
    State GetState() const { return state_; }

    // Data bytes received or sent so far: the progress measure.
    int GetDataBytes() const { return dataBytes_; }
    int GetFrameCount() const { return frameCount_; }

private:
    enum class EchoState { Clear, Waiting, Differs };

    bool Start(Mode mode, Completion completion);
    void NewResult(Mode mode);
    void Tick();
    void Step();
    void RunState();
    EchoState CheckEcho();
    uint32_t TimeoutFor(int state) const;
    void Finish();
    // Waits 100 ms and drops what came meanwhile; true when anything came.
    bool Flush();
    // Drops what comes until the line has been quiet a while, then goes on to next.
    void WaitForQuiet(State next);
    bool AbandonsQuietly() const;

    void GoTo(State state) { next_ = state; }
    void DoScript();
    void DoOpen();
    void DoRequest(uint8_t command, State next);
    void DoInfoAnswer();
    void DoReadData();
    void DoAck();
    void DoWriteData();
    void DoEndFrame();
    void DoEndAnswer();
    void DoDrain();
    void DoQuiet();

    void SendCommand(uint8_t command);
    void Send(const std::vector<uint8_t>& bytes);
    void ReadPort();
    CloneFrameCollector::Result CollectAnswer();
    int ParseFrame(const std::vector<uint8_t>& frame);
    int DecodeDataFrame(const uint8_t* text, int length);
    void Fail(int code);
    const AddressRange* CurrentRange() const;
    void BuildDataFrame(const AddressRange& range);
    bool AtAckPoint(const AddressRange& range) const;

    int word0_ = 0;
    int word1_ = 0;
    int memorySize_ = 1;
    int portNumber_ = 1;
    std::string transferSettings_ = "9600,n,8,1";
    int commandPreamble_ = 0;
    int dataPreambleLater_ = 0;
    int dataPreambleFirst_ = 0;
    Mode mode_ = M_None;
    bool sendFrameCount_ = true;
    bool echoCheck_ = false;
    bool waitFirstAck_ = false;
    int ackInterval_ = 0;
    int ackOffset_ = 0;

    cmcComm port_;
    cmcBuff rxQueue_;
    CloneFrameCollector collector_;
    // A write's data frames built and not yet handed to the port.
    cmcBuff batch_;
    cmcBuff echoQueue_;
    uint8_t readChunk_[256] = {};
    std::string script_;
    int frameCount_ = 0;
    int dataBytes_ = 0;
    int bytesPerLine_ = 16;
    // The ranges are copied at the start, so the caller may free its list at any time.
    std::optional<AddressRangeList> ranges_;
    int rangeIndex_ = 0;
    int nextAddress_ = 0;
    // A frame that reaches an acknowledgement point has been built and waits to be written.
    bool ackDue_ = false;
    std::unique_ptr<dst_CDrv_Result> result_;
    Completion completion_;

    State state_ = S_Idle;
    State next_ = S_Idle;
    bool progress_ = false;
    cmcTick timeout_;
    int timeoutDefault_ = 1000;
    int timeoutScript_ = 1000;
    int timeoutEndAck_ = 2000;
    int timeoutInfo_ = 1000;
    int timeoutFirstAck_ = 1000;
    // The quiet-line wait: restarted by every byte that comes, bounded as a whole.
    cmcTick quiet_;
    cmcTick quietLimit_;
    State afterQuiet_ = S_Finish;
    cmcTask* task_;
};
