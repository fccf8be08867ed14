#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "localeinfo.h"

// Regional settings read from a POSIX locale: "" is the process locale as LANG
// and LC_* choose it, any other text a locale name such as "de_DE.UTF-8".
// Nothing is returned when the locale is not installed. Items the locale does
// not define (the monetary items of "C", for instance) stay missing.
std::optional<LocaleInfo> ReadPosixLocale(const QString& name = {});

// The system locale of a normal run: the process locale, where a locale with
// no monetary conventions at all ("C", "POSIX") gets the invariant ones for
// places, separators and grouping. A device always has them, and without
// them every amount would be rounded to whole units.
LocaleInfo DeviceLocaleFromProcess();
void AddInvariantMonetaryItems(LocaleInfo& locale);

// A strftime format turned into a device picture ("%m/%d/%Y" -> "MM/dd/yyyy").
QString PictureFromStrftime(const QString& format);

// POSIX grouping bytes ("\3\3", "\3\2") as device grouping text ("3;0", "3;2;0").
QString GroupingFromPosix(const QByteArray& grouping);

// The device's currency pattern numbers from the POSIX placement rules.
int PositiveCurrencyOrder(bool symbolPrecedes, int separatedBySpace);
int NegativeCurrencyOrder(bool symbolPrecedes, int separatedBySpace, int signPosition);
