#include "filetools/ShredderExtents.h"

#include <cstddef>

bool AppendRetrievalExtents(const RETRIEVAL_POINTERS_BUFFER& answer, DWORD answerSize,
                            int64_t askedVcn, std::vector<ShredderExtent>& extents)
{
    const size_t header = offsetof(RETRIEVAL_POINTERS_BUFFER, Extents);
    if (answerSize < header)
        return false;
    const size_t capacity = (answerSize - header) / sizeof(answer.Extents[0]);
    if (answer.ExtentCount == 0 || answer.ExtentCount > capacity ||
        answer.StartingVcn.QuadPart != askedVcn)
        return false;
    int64_t vcn = askedVcn;
    for (DWORD i = 0; i < answer.ExtentCount; ++i) {
        int64_t next = answer.Extents[i].NextVcn.QuadPart;
        int64_t lcn = answer.Extents[i].Lcn.QuadPart;
        if (next <= vcn || lcn < -1)
            return false;
        extents.push_back({vcn, next, lcn});
        vcn = next;
    }
    return true;
}

bool ExtentsOnDisk(const std::vector<ShredderExtent>& extents)
{
    for (const ShredderExtent& extent : extents)
        if (extent.lcn != -1)
            return true;
    return false;
}

bool ExtentsFitVolume(const std::vector<ShredderExtent>& extents, uint64_t totalClusters)
{
    for (const ShredderExtent& extent : extents) {
        if (extent.lcn == -1)
            continue;
        uint64_t start = static_cast<uint64_t>(extent.lcn);
        uint64_t length = static_cast<uint64_t>(extent.nextVcn - extent.vcn);
        if (start >= totalClusters || length > totalClusters - start)
            return false;
    }
    return true;
}
