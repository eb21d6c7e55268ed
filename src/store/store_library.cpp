#include "store/sqlite_store.h"

// What StoreOnDemand looks up after loading this library.
extern "C" Q_DECL_EXPORT ClassStore *malrechnenOpenStore(const QString &file)
{
    return new SqliteStore(file);
}
