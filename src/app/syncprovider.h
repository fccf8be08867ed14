#pragma once

#include <QString>

// The hand-off to the desktop synchronisation service: the provider library
// that service loads is registered and checked at every start, and a forced
// synchronisation marks files as changed so that the next one copies them.

inline constexpr char kSyncProviderFileName[] = "DurEdodavuDido.dll";
inline constexpr char kSyncRegistrationKey[] =
    "Windows CE Services\\Synchronization\\Objects\\Outlaysheet";

// The provider in the system folder.
QString SyncProviderPath();

enum class SyncProviderStatus {
    Ready,         // present, loadable and of the program's version
    Missing,       // no file at the provider path
    NotLoadable,   // the file is no library that loads
    WrongVersion,  // its version text differs from the program's
};

// Registers the provider ("Store" and "Display Name" under the machine-wide
// registration key, before it is loaded, so a broken one is still
// registered), loads it and compares its "DllGetVersion" text ("0.0.0.0"
// without that export) with the program's version. Shows at most one
// message, with an OK button and no icon; start-up goes on after any.
SyncProviderStatus CheckSyncProvider();

// Sets the last-access and last-write times of every report in the reports
// folder and every list in the data folder to now, and with `images` those of
// every picture of the image folders (category, class, expensetype, other,
// paidwith). A file that cannot be touched is skipped without a message.
// Returns the number of files touched.
int ForceSynchronization(bool images);
