#pragma once

#include <QString>
#include <vector>

#include "views/widgets/fullwindowdialog.h"

class CColumnList;
class CExpenseDoc;
class QComboBox;
class QToolButton;

// The currency page: the home currency and the user's list of conversion
// rates ("Description", "Rate", "Updated"). A tap on a rate changes it,
// "New" adds a currency to the list. "OK" saves the table and carries the
// changes the user agreed to into the expenses: a new home currency, once
// the user agreed, into every report; a new rate into the open report's
// expenses of its currency. "Cancel" reads the table back from its file, so
// that nothing is changed.
class CPageCurrency : public FullWindowDialog {
    Q_OBJECT

public:
    CPageCurrency(CExpenseDoc& document, QWidget* parent);

    CColumnList* Rates() const { return rates_; }
    QComboBox* HomeCurrency() const { return home_; }
    QToolButton* NewButton() const { return new_; }
    QToolButton* CancelButton() const { return cancel_; }
    // "Update Rates...": the day's reference rates from the bank or a file.
    QToolButton* UpdateButton() const { return update_; }
    // The currencies listed, top to bottom.
    QStringList Listed() const { return listed_; }

    void accept() override;
    void reject() override;

    // Whether OK gave the open report's expenses of `currency` a new rate:
    // a new home currency re-rates them all.
    bool ReRated(const QString& currency) const;
    // Whether the user gave every expense of `currency` the table's rate.
    bool RateGiven(const QString& currency) const;
    // What OK re-based every stored rate by (CHomeCurrencyChange): 1 without
    // a new home currency.
    double HomeFactor() const { return homeFactor_; }

private:
    // The open report's expenses of a currency are to take the rate the
    // table holds for it at OK: the rate typed, re-based with the table
    // when the home currency changes in between.
    struct RateChange {
        QString currency;
        bool selectedOnly = false;
    };

    void FillRates();
    void FillHomeCurrencies();
    void ChangeHome(int index);
    void AddCurrency();
    void ChangeRate(int row);
    // Reads the reference rates (from the file at `path`, or from the bank
    // when it is empty) and takes them once the user agreed.
    void UpdateRates(const QString& path);
    void ChooseRatesFile();
    // Offers to give the open report's expenses of `currency` the new rate.
    void OfferBulkChange(const QString& currency, const QString& typed);
    // Carries a new home currency into every report once the user agreed;
    // false when the page is to stay open.
    bool ChangeHomeInReports();
    void ApplyRateChanges();

    CExpenseDoc& document_;  // not owned
    QComboBox* home_;
    CColumnList* rates_;
    QToolButton* new_;
    QToolButton* cancel_;
    QToolButton* update_;
    QStringList listed_;
    QString openingHome_;
    bool homeChanged_ = false;
    double homeFactor_ = 1.0;
    // What the table's rates were multiplied by since the page opened.
    double rebasedBy_ = 1.0;
    std::vector<RateChange> changes_;
};
