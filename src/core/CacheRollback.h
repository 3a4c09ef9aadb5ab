#pragma once
#include "core/ConfigCache.h"

// A copy of the cache rows and their changed flags taken before a definition change. Unless
// the change is kept, the copy is put back when this goes away, so a statement or write-back
// that fails leaves the cache matching the tables and the management table.
class CacheRollback {
public:
    explicit CacheRollback(ConfigCache& cache)
        : cache_(cache), rows_(cache.rows), flags_(cache.rowChanged), restarted_(cache.counterRestarted)
    {
    }
    ~CacheRollback()
    {
        if (!kept_) {
            cache_.rows = rows_;
            cache_.rowChanged = flags_;
            cache_.counterRestarted = restarted_;
        }
    }
    CacheRollback(const CacheRollback&) = delete;
    CacheRollback& operator=(const CacheRollback&) = delete;

    void keep() { kept_ = true; }

private:
    ConfigCache& cache_;
    decltype(ConfigCache::rows) rows_;
    decltype(ConfigCache::rowChanged) flags_;
    decltype(ConfigCache::counterRestarted) restarted_;
    bool kept_ = false;
};
