#pragma once

#include <QString>
#include <QStringList>

// Where the device's folders and registry live on this machine.
struct PlatformPaths {
    // The documents root ("My Documents"); empty when it cannot be resolved.
    QString documentsRoot;
    // The folder of the registry's hive files.
    QString registryFolder;
    // The folder that holds the program's own libraries, such as the
    // synchronisation provider.
    QString systemFolder;
    // The folder of the address book's vCard files: OUTLAYSHEET_CONTACTS,
    // else $XDG_DATA_HOME/contacts.
    QString contactsFolder;

    // From the command line (--root DIR, --registry DIR; the options are
    // taken out of `arguments`), else OUTLAYSHEET_ROOT and OUTLAYSHEET_REGISTRY,
    // else the XDG documents folder and $XDG_CONFIG_HOME/Tillhouse/registry.
    // A --root or --registry without a folder is left in `arguments` for the
    // caller's usage message.
    static PlatformPaths FromEnvironment(QStringList& arguments);

    // The folder of the module that holds this code: the program itself, or
    // the shared library it is linked into.
    static QString ModuleFolder();
};
