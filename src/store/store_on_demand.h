#pragma once

#include "store/class_store.h"

#include <QString>

#include <memory>

// Where the class file lives: where school IT puts it for every user of the computer
// (/etc/xdg/malrechnen/malrechnen.conf, "[Klasse]" "Datei=/pfad/klasse.sqlite", read
// through QSettings), else in the user's data folder ($XDG_DATA_HOME/malrechnen/, usually
// ~/.local/share/malrechnen/klasse.sqlite).
QString classFilePath();

// The class store in a library of its own, loaded the first time a class is used: a run
// without a class looks for the file and loads no SQL at all.
class StoreOnDemand
{
public:
    explicit StoreOnDemand(const QString &file = classFilePath());
    ~StoreOnDemand();

    QString file() const { return m_file; }
    // Where the library is looked for; by default beside the program's folder.
    void setLibrary(const QString &path) { m_library = path; }

    // A class file is there (or the store is open): nothing is loaded to tell.
    bool classMayExist() const;
    // The store, loaded and opened now if it is not yet; null if the library is missing,
    // with the reason in German in `failure`.
    ClassStore *store(QString *failure = nullptr);
    ClassStore *loaded() const { return m_store.get(); }

private:
    QString m_file;
    QString m_library;
    std::unique_ptr<ClassStore> m_store;
};
