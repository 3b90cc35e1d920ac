#include "core/ConflictRules.h"

namespace fm {

ConflictStep ConflictRules::Decide(std::uint64_t sourceTime, std::uint64_t targetTime) const {
  switch (standing_) {
    case Standing::OverwriteAll:
      return ConflictStep::Overwrite;
    case Standing::SkipAll:
      return ConflictStep::Skip;
    // Only a target older than its source is replaced; a newer or equal one is kept.
    case Standing::OverwriteAllOlder:
      return targetTime < sourceTime ? ConflictStep::Overwrite : ConflictStep::Skip;
    case Standing::None:
      break;
  }
  return ConflictStep::Ask;
}

ConflictStep ConflictRules::Answer(ConflictReply reply, std::uint64_t sourceTime,
                                   std::uint64_t targetTime) {
  switch (reply) {
    case ConflictReply::Overwrite:
      return ConflictStep::Overwrite;
    case ConflictReply::Skip:
      return ConflictStep::Skip;
    case ConflictReply::KeepBoth:
      return ConflictStep::KeepBoth;
    case ConflictReply::Cancel:
      return ConflictStep::Cancel;
    case ConflictReply::OverwriteAll:
      standing_ = Standing::OverwriteAll;
      break;
    case ConflictReply::OverwriteAllOlder:
      standing_ = Standing::OverwriteAllOlder;
      break;
    case ConflictReply::SkipAll:
      standing_ = Standing::SkipAll;
      break;
  }
  return Decide(sourceTime, targetTime);
}

}  // namespace fm
