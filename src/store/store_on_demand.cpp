#include "store/store_on_demand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QSettings>
#include <QStandardPaths>

namespace {

using OpenStore = ClassStore *(*)(const QString &file);

QString libraryPath()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QLatin1String(MALRECHNEN_STORE_LIBRARY));
}

} // namespace

QString classFilePath()
{
    const QSettings school(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("malrechnen"),
                           QStringLiteral("malrechnen"));
    const QString placed = school.value(QStringLiteral("Klasse/Datei")).toString();
    if (!placed.isEmpty())
        return QDir::cleanPath(placed);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("malrechnen/klasse.sqlite"));
}

StoreOnDemand::StoreOnDemand(const QString &file)
    : m_file(file)
    , m_library(libraryPath())
{
}

StoreOnDemand::~StoreOnDemand() = default;

bool StoreOnDemand::classMayExist() const
{
    return m_store ? m_store->hasClass() : QFileInfo::exists(m_file);
}

ClassStore *StoreOnDemand::store(QString *failure)
{
    if (m_store)
        return m_store.get();
    // The library stays loaded for the rest of the run.
    QLibrary library(m_library);
    const auto open = reinterpret_cast<OpenStore>(library.resolve("malrechnenOpenStore"));
    if (!open) {
        if (failure)
            *failure = QStringLiteral("Die Klasse kann nicht geöffnet werden, weil ein Teil von Malrechnen fehlt "
                                      "(„%1“). Bitte das Programm neu installieren.")
                           .arg(QFileInfo(m_library).fileName());
        return nullptr;
    }
    m_store.reset(open(m_file));
    return m_store.get();
}
