#pragma once
// What the Download Cache page does to the cache folder. Cleaning deletes only the
// files the program itself leaves there; the queue database, the work folders and
// anything a user or another program put in the folder stay.

#include <QString>

namespace DownloadCache
{
// A file directly in the cache folder that the program made and may delete: a
// temporary media file named by an md5 digest (with its ".ytdl" marker, its subtitle
// files and its "_tmp" merge output), the joiner's "segment_N" copies and "join.txt",
// and the copied media converter.
bool isProgramFile(const QString &fileName);
// Deletes those files from the folder (sub-folders are not entered); returns how
// many were deleted. A file in use that cannot be deleted is skipped.
int clean(const QString &folder);

// Before the cache moves to newFolder while no queue runs: a consistent copy of the
// current queue database is written there (one already there is kept beside it under a
// dated name), so the queue and history move along. True when it was copied.
bool carryQueueDatabase(const QString &currentFolder, const QString &newFolder);

constexpr const char *DatabaseFileName = "data.db";
} // namespace DownloadCache
