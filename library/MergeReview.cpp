#include "library/MergeReview.h"

#include "engine/File.h"

namespace VaskEdit {

MergeReview ReviewMerge(const Jobs::CancelFn& cancel) {
    MergeReview review;
    if (!TesselEngine::WinAPI::File{TesselEngine::Char256("w_info.hdrdoc")}.Exists())
        return review;
    const InfoVersions game = VersionsInDocument("w_info.hdrdoc");
    const InfoVersions files = VersionsInFolder("Infos/");
    review.failure = !game.failure.empty() ? game.failure : files.failure;
    if (!review.failure.empty() || (cancel && cancel()))
        return review;
    review.diff = DiffInfoSets(game, files, false);
    review.compared = true;
    return review;
}

std::string MergeCountsLine(const MergeReview& review) {
    const std::size_t written = review.Written();
    return std::to_string(written) + (written == 1 ? " info" : " infos") +
           " written, against \"w_info.hdrdoc\": " + std::to_string(review.diff.added.size()) +
           " new, " + std::to_string(review.diff.changed.size()) + " changed, " +
           std::to_string(review.diff.renamed.size()) + " renamed, " +
           std::to_string(review.diff.unchanged) + " unchanged.";
}

} // namespace VaskEdit
