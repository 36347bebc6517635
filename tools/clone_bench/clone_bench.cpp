// Times a clone read of the whole radio part (0..32735) at 38,400 bit/s through the real
// serial port of port 1 (MERROW_COM1 names the device, such as the simulated radio's pty),
// with the engine set up as the cloning program sets it up. Prints the elapsed time and code.
#include <chrono>
#include <cstdio>
#include <optional>

#include "radio/CDrvCodes.h"
#include "radio/cmcCloneDrv.h"
#include "tools/clone_radio/RealTimeDriver.h"
#include "tools/clone_radio/WakeScript.h"

int main() {
    sim::RealTimeDriver driver;
    cmcCloneDrv drv;
    drv.SetModelWords(0x2726, 0);
    drv.SetMemorySize(48880);
    drv.SetPort(1, "38400,N,8,1");
    drv.SetCommandPreamble(48);
    drv.SetDataPreambles(0);
    drv.SetScript(sim::WakeScript(true, false));
    drv.SetEchoCheck(1);
    drv.SetSendFrameCount(1);
    drv.SetWaitFirstAck(1);
    drv.SetAckInterval(128, 96);
    drv.SetDefaultTimeout(1000);

    const AddressRangeList ranges = {{0, 32735}};
    std::optional<int> code;
    const auto start = std::chrono::steady_clock::now();
    drv.StartRead(&ranges, [&](dst_CDrv_Result& result) { code = result.code; });
    driver.RunUntil([&] { return code.has_value(); }, 120000);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("elapsed %.3f s, code %d, %d data bytes\n", elapsed, code.value_or(-1),
                drv.GetDataBytes());
    return code == CDRV_Ok ? 0 : 1;
}
