#pragma once

#include "framework/NativeFile.h"

#include <QString>
#include <memory>

class CLockFile;

// What every writer of a document holds from its read (or its last check that the file did not
// change) until the new file has taken the old one's place, so that of two writers one waits for
// the other and then sees what the first wrote: a lock file beside the document
// ("deeds.bod.lock"), there only while it is held. A lock file left by a program that is gone is
// taken over. Where the folder takes no new file, the lock file goes to the user's private folder
// instead, so that the user's own programs still take turns.
class CWriteLock {
public:
    CWriteLock();
    explicit CWriteLock(NativeFile::Name document);
    ~CWriteLock();
    CWriteLock(CWriteLock&& other) noexcept;
    CWriteLock& operator=(CWriteLock&& other) noexcept;

    // Waits up to nWaitMs for the lock. Returns an empty string once it is held, else why not.
    QString Acquire(int nWaitMs);

private:
    NativeFile::Name m_document;
    std::unique_ptr<CLockFile> m_pLock;
};
