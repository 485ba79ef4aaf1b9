#pragma once

// Control of the simulated devices behind the device library, for tests and
// demos. Devices are numbered in the order of the device set: the built-in
// set is 0 = the 4K receiver with its wireless mouse, 1 = the wired mouse; a
// JSON file named by ORVAK_SIM_DEVICES replaces it (see SimState.cpp for the
// format). Every function may be called from any thread.

#include "platform/vidide/FlashDataMap.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QThread>

#include <functional>

struct SimCallRecord
{
    QString function;
    QString arguments;
    QByteArray data; // the whole block for ProtocolDataUpdate, else empty
    Qt::HANDLE thread = nullptr;
};

enum class SimUpgradeFault
{
    None,
    FailAt,      // a failure packet at the given percentage
    Hang,        // no packet after the given percentage until the time-out
    FinishEarly, // the success packet comes at the given percentage (the device
                 // takes the image); no progress packets from there on
    UnplugAt     // the device is unplugged at the given percentage
};

// Reloads the device set (ORVAK_SIM_DEVICES or the built-in one) and the
// memory kept in the state file; clears faults, log and bindings. With
// forgetState the state file is removed first: every device starts from its
// factory settings.
void SimReset(bool forgetState = false);
// Replaces the device set with a JSON text. False with a reason when invalid.
bool SimLoadDevices(const QByteArray &json, QString *error);
int SimDeviceCount();
// Normal-mode path and boot-mode path of a device (valid for the whole process).
const char *SimDevicePath(int device);
const char *SimBootPath(int device);

bool SimPlug(int device, bool plugged);
bool SimSetMouseOnline(int device, bool online);
bool SimSetBattery(int device, int percent, bool charging);
// The device answers its identity with 0 / 0 for the next calls.
bool SimSetIdentityZeroCalls(int device, int calls);
// Changes made on the mouse itself; each raises a status-change event.
bool SimPressDpiButton(int device);
bool SimSwitchProfileOnDevice(int device, int profile);
bool SimChangeSettingsOnDevice(int device); // settings flag: the whole block changed
// Receiver-side changes: event 21 (indicator) and event 23 (long range dropped).
bool SimSetIndicatorOnDevice(int device, int mode);
bool SimDropLongRangeOnDevice(int device);

// Delivers any event to the bound callback, as the device would.
bool SimInjectEvent(const QByteArray &header, const QByteArray &payload, int delayMs = 0);
void SimSetAnswerDelay(int ms);
// The next count calls of function (its library name) are refused: false, no
// effect. With passFirst, that many calls are taken before the refusals.
void SimRefuseNextCall(const char *function, int count = 1, int passFirst = 0);
// The next count calls of function are accepted but their answer is lost.
void SimDropNextAnswer(const char *function, int count = 1);
// The next count requests `function` sends to the mouse are accepted (true)
// but never reach it: no effect and no answer.
void SimLoseNextCall(const char *function, int count = 1);
// Outcome of the next pairing attempt: 3 paired or 2 failed, after polls status polls.
void SimSetPairOutcome(int outcome, int polls);
// The fault applies to the next upgrade run only.
void SimSetUpgradeFault(SimUpgradeFault fault, int percent);
// The next flash of this device fails at the given percentage (once).
bool SimFailNextFlash(int device, int percent);
// Delay before the first packet of a run and between its progress packets.
void SimSetUpgradeTiming(int startDelayMs, int stepMs);
// Lets a device fall into boot mode with its firmware unchanged (an earlier failure).
bool SimSetBootMode(int device, bool boot);

// What the mouse keeps, decoded; false when the device has no mouse.
bool SimMouseBlock(int device, FlashDataMap *map);
bool SimMouseProfile(int device, int *profile);
// One onboard profile (0..3) of the mouse, whichever profile it runs.
bool SimMouseProfileBlock(int device, int profile, FlashDataMap *map);
// Stores `map` as onboard profile `profile` (set-up of a test: no event).
bool SimSetMouseProfileBlock(int device, int profile, const FlashDataMap &map);
bool SimIsBootMode(int device);
int SimFirmwareVersion(int device); // receiver: its own; wired: the mouse's
int SimMouseVersion(int device);
bool SimLongRange(int device);
bool SimBatteryOptimize(int device);
bool SimReceiverId(int device, ReceiverId *id); // last id written into a wired mouse
QString SimStateFile();
// Whether the state file at `path` holds nothing but what the devices of the
// set loaded now (ORVAK_SIM_DEVICES, else the built-in one) keep from the
// factory: what a start saves before anything changed them. False for a
// file that cannot be read.
bool SimStateFileIsFactory(const QString &path);
// Whether `map` is the block a mouse of the simulated devices, of any model,
// keeps from the factory.
bool SimIsFactoryBlock(const FlashDataMap &map);
// Called, on whichever thread saved, when the devices' memory could not be
// written to SimStateFile() (the old file then stays as it was). The program
// shows it; the default only logs.
void SimSetStateSaveFailureHandler(
    std::function<void(const QString &path, const QString &reason)> handler);

QList<SimCallRecord> SimCallLog();
void SimClearCallLog();
// Waits (processing nothing) until no event or upgrade packet is pending.
bool SimWaitIdle(int timeoutMs);
