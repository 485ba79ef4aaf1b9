#pragma once

#include <QString>
#include <QStringList>

// Key names of the macro editor and of key combinations.
//
// A macro event is named by a short, untranslated text ("A", "Tab", "LCtrl",
// "Num." ...). Files store a usage text ("0x2B") and a kind digit, the device
// a 16-bit code and a kind byte:
//   kind 1  usage of the HID Keyboard/Keypad page,
//   kind 0  bit of the HID boot-keyboard modifier byte,
//   kind 4  mouse-button bit (1 left, 2 right, 4 middle, 8 back, 16 forward).
// The five mouse-button names follow the language and are read at each call.
//
// Key combinations of a button use the same keyboard names with the generic
// modifier names "Ctrl", "Shift", "Alt" and "Win" (left-hand bits).

// Display names of the five mouse-button events, set from the label catalogue.
extern QString MouseLeftName;
extern QString MouseRightName;
extern QString MouseMiddleName;
extern QString MouseBackName;
extern QString MouseForwardName;

// Name of the row with exactly this usage text ("0x" + two upper-case hex
// digits) and kind; empty when no row matches.
QString HidCodeToKeyName(const QString &usage, int kind);

// {usage text, kind digit} of a name, e.g. {"0x2B", "1"} for "Tab"; empty
// when the name is unknown. The empty name gives {"0x00", "1"}.
QStringList KeyNameToHidCode(const QString &name);

// Writes Code and Kind of stroke i of a 592-byte macro record. An unknown name
// sets Kind 1 and leaves Code. Does nothing when i is outside 0..69 or the
// buffer is shorter than a macro record.
void KeyNameToStroke(const QString &name, int i, unsigned char *record, int recordSize);

// Name of a device stroke that is not a mouse button; lax about the kind
// except for the codes that are both a modifier bit and a usage.
QString DeviceCodeToKeyName(int code, int kind);

// Name of a mouse-button stroke; empty for other values.
QString MouseBitToKeyName(int bit);

// Look-up by Windows virtual-key code. False when the code has no row; the
// empty name is a found result (0x0C, Clear).
bool VirtualKeyToKeyName(int virtualKey, QString *name);

// Virtual-key code of a keyboard or modifier name; -1 when it has none.
int KeyNameToVirtualKey(const QString &name);

// Key combinations: kind (0 modifier, 1 usage) and code of a name. False for
// a name outside the vocabulary (kind and code untouched).
bool CombinationNameToCode(const QString &name, int *kind, int *code);

// Name printed for one stroke of a key combination (low byte of the code);
// empty for codes without a name.
QString CombinationCodeToName(int code, int kind);
