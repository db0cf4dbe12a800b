#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLibrary;

// A part of the program kept in a module file of its own, a shared library
// loaded with QLibrary on first use: the libraries it brings cost start-up
// time that only its first use needs. Once loaded, the module stays loaded
// for the rest of the program's run.
//
// A module exports one factory, `Interface::factoryName`, that takes the
// interface version the program was built with and returns the module's
// implementation, or null for another version. No exception crosses between
// a module and the program.
class ModuleFile {
public:
    // Where the libraries that come with the module look for the symbols
    // they use: first among those the program has already loaded, as usual,
    // or first among the module's own. A module that brings many libraries
    // (the window: Qt GUI, Qt Widgets and theirs) loads faster in its own
    // order, about half a millisecond in the window's case.
    enum class Lookup { ProgramFirst, ModuleFirst };

    // The program's module `fileName` ("gipfelfluss-print.so"), in the first
    // of moduleFolders() that holds it. `subject` names it in messages:
    // "für Arbeitsmappen" gives "Das Programmmodul für Arbeitsmappen …".
    ModuleFile(const QString& fileName, QString subject, Lookup lookup = Lookup::ProgramFirst);
    // The module file at the first of these paths that exists.
    ModuleFile(QStringList paths, QString subject) : m_paths(std::move(paths)), m_subject(std::move(subject)) {}

    // Loads the module and returns its implementation of Interface; throws
    // RuntimeError with the German reason when the file is missing, cannot
    // be loaded or belongs to another version of the program. A failed load
    // is tried again on the next call.
    template <class Interface>
    const Interface& open()
    {
        using Factory = const Interface* (*)(int version);
        const auto factory = reinterpret_cast<Factory>(load(Interface::factoryName));
        const Interface* made = factory ? factory(Interface::version) : nullptr;
        if (!made) refuse();
        return *made;
    }

private:
    // The exported function `name`, null when the module lacks it.
    QFunctionPointer load(const char* name);
    [[noreturn]] void refuse();

    QStringList m_paths;
    QString m_subject;
    Lookup m_lookup = Lookup::ProgramFirst;
    std::shared_ptr<QLibrary> m_library;  // the module last loaded
};
