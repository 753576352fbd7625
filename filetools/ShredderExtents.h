// The cluster map of a packed (compressed, encrypted or sparse) file, as the file system
// reports it through FSCTL_GET_RETRIEVAL_POINTERS, and the checks that decide whether
// the map can be trusted enough to write to the raw volume at those places.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <vector>

// Virtual clusters [vcn, nextVcn) of the file lie at logical cluster lcn of the volume;
// lcn -1 means they take no clusters on the disk (a hole, or compressed away).
struct ShredderExtent {
    int64_t vcn;
    int64_t nextVcn;
    int64_t lcn;
};

// Appends the extents of one answer to a query that started at askedVcn. Returns false
// when the answer cannot be a file's cluster map: it starts elsewhere than asked, holds
// no extent or more than fit the buffer, does not move forward, or names a negative
// cluster. (Some systems answer the query with success and one meaningless extent.)
bool AppendRetrievalExtents(const RETRIEVAL_POINTERS_BUFFER& answer, DWORD answerSize,
                            int64_t askedVcn, std::vector<ShredderExtent>& extents);

// True when some extent takes clusters on the disk.
bool ExtentsOnDisk(const std::vector<ShredderExtent>& extents);

// True when every extent on the disk lies inside a volume of totalClusters clusters.
bool ExtentsFitVolume(const std::vector<ShredderExtent>& extents, uint64_t totalClusters);
