#pragma once

#include <QStringList>

#include "lists/shippedcurrencytable.h"
#include "platform/shippeddata.h"

// What ships with the program and was copied into the user's folders.
struct ShippedDataResult {
    ImageInstallResult images;
    CurrencyTableInstallResult currencyTable;
    bool Succeeded() const { return images.Succeeded() && currencyTable.Succeeded(); }
};

// What the first-run data step did.
struct FirstRunResult {
    ShippedDataResult shippedData;
    // The currency table's setting the distance unit was chosen by, and the
    // unit in force afterwards (chosen only on the very first run).
    bool internationalTraveler = false;
    bool distanceInMiles = true;
    // Whether the owner information came from the device's owner record
    // (else only the account's full name was at hand).
    bool ownerRecordFound = false;
    // The personal-information fields that were empty and got the owner's
    // value, by their code names ("name", "email", ...).
    QStringList filledFields;
    bool personalInfoSaved = false;
    bool Succeeded() const { return shippedData.Succeeded() && personalInfoSaved; }
};

// Copies the shipped pictures and the full currency table into the user's
// folders where the user has none of their own.
ShippedDataResult InstallShippedData();

// The first-run data step, as the installer runs it: the shipped data, then
// the distance unit from the currency table's "International Traveler"
// setting, then the personal information's empty fields from the owner
// information. Works through a document of its own, without any window.
FirstRunResult RunFirstRunDataStep();

// True on a user's very first start: the installer's first-run step never
// ran for this user (no "Init Mileage" value yet), so the program runs it.
bool FirstRunDataStepPending();
