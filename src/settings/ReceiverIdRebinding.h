#pragma once

#include "platform/vidide/DeviceAllInfo.h"
#include "platform/vidide/FlashDataMap.h"

#include <QList>

// Hands the identity of each attached receiver to every attached wired mouse
// (UsbFinderC_SetDongleIDToMouse): one pair of routines on the chooser's list
// for the repair, one on the current model's list for the upgrade. The
// repeat routines send the last id once more.

// The 5-byte id from a receiver's address answer (bytes 7..9) and its variant.
ReceiverId MakeReceiverId(const unsigned char *addressAnswer, int variant);

bool RebindReceiverIdOfFoundDevices();
void RepeatReceiverIdOfFoundDevices();
bool RebindReceiverIdOfModelDevices();
void RepeatReceiverIdOfModelDevices();
