#pragma once

#include <QString>

#include "archive/expensearchive.h"
#include "archive/expenseobject.h"
#include "archive/filetypes.h"

// A small persisted object laid out like the preferences file: header 10/1,
// a double, a 32-bit integer and a string.
class SampleObject : public CExpenseObject {
public:
    double rate = 0.345;
    qint32 miles = 1;
    QString note = "default";
    int serializeCalls = 0;

    void Serialize(CExpenseArchive& archive, int) override {
        ++serializeCalls;
        SerializeFileHeader(archive, kFileTypePreferences, 1);
        archive.Exchange(rate);
        archive.Exchange(miles);
        archive.Exchange(note);
    }
    void Reset() override {
        CExpenseObject::Reset();
        rate = 0.345;
        miles = 1;
        note = "default";
    }
};

// A large object of many strings whose contents depend on a generation, so
// that an old and a new file of it differ everywhere. It can stop in the
// middle of writing (for a test that kills the writer there).
class BulkObject : public CExpenseObject {
public:
    BulkObject(int generation, int strings) : generation_(generation), strings_(strings) {}

    // Called once, after half of the strings are written.
    std::function<void()> midway;

    void Serialize(CExpenseArchive& archive, int) override {
        SerializeFileHeader(archive, kFileTypeHistory, 1);
        archive.WriteUInt32(static_cast<quint32>(strings_));
        for (int i = 0; i < strings_; ++i) {
            if (i == strings_ / 2 && midway) {
                midway();
            }
            archive.WriteString(QStringLiteral("generation %1 line %2 of the bulk object")
                                    .arg(generation_)
                                    .arg(i));
        }
    }

private:
    int generation_;
    int strings_;
};
