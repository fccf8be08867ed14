#pragma once

#include <QString>

class CExpenseArchive;

// The root of everything the program keeps in a file. The flags tell the
// file's story: `valid` (its file is safe to overwrite), `loaded` (the object
// holds the file's contents), `modified` (the object differs from its file)
// and `imageMissing` (for list items: the picture file is not there).
class CExpenseObject {
public:
    CExpenseObject() = default;
    CExpenseObject(const CExpenseObject&) = default;
    CExpenseObject& operator=(const CExpenseObject&) = default;
    virtual ~CExpenseObject() = default;

    // Writes or reads the object's fields in its own order. `context` is the
    // save's prompt or the load's report-errors flag, handed on unchanged to
    // the objects inside.
    virtual void Serialize(CExpenseArchive& archive, int context);
    // Back to the defaults; clears `modified`.
    virtual void Reset();

    virtual void SetValid(bool valid) { valid_ = valid; }
    virtual bool IsValid() const { return valid_; }
    virtual bool IsLoaded() const { return loaded_; }
    virtual void SetLoaded(bool loaded) { loaded_ = loaded; }
    virtual void SetModified(bool modified) { modified_ = modified; }
    virtual bool IsModified() const { return modified_; }

    virtual QString GetName() const { return {}; }
    virtual QString GetImageReference() const { return GetImageName(); }
    virtual QString GetImagePath() const { return GetImageName(); }
    virtual QString GetImageName() const { return QStringLiteral("BROKENIMAGEU.BMP"); }
    virtual bool IsImageMissing() const { return imageMissing_; }

protected:
    void SetImageMissing(bool missing) { imageMissing_ = missing; }

private:
    bool valid_ = true;
    bool loaded_ = false;
    bool modified_ = false;
    bool imageMissing_ = true;
};
