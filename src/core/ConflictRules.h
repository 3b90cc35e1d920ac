// What happens to an item whose target name exists: the user's answer for this one, or the
// standing choice an earlier "… all" answer left for the rest of the job.
#pragma once

#include <cstdint>

namespace fm {

enum class ConflictReply {
  Overwrite,
  OverwriteAll,
  OverwriteAllOlder,
  Skip,
  SkipAll,
  KeepBoth,
  Cancel
};

enum class ConflictStep { Ask, Overwrite, Skip, KeepBoth, Cancel };

class ConflictRules {
 public:
  // What to do with a target written at targetTime by a source written at sourceTime (times
  // in the file system's ticks): Ask while no standing choice covers it.
  ConflictStep Decide(std::uint64_t sourceTime, std::uint64_t targetTime) const;

  // Takes the user's answer for the item asked about; an "… all" answer also stands for
  // every later item of the job.
  ConflictStep Answer(ConflictReply reply, std::uint64_t sourceTime, std::uint64_t targetTime);

 private:
  enum class Standing { None, OverwriteAll, OverwriteAllOlder, SkipAll };
  Standing standing_ = Standing::None;
};

}  // namespace fm
