// The steps of a copy, move or delete. Every write goes through the platform's primitives so
// that it behaves the same on Windows and under Wine, whose CopyFileExW ignores progress
// and cancel and leaves a partial target behind when a write fails.
#include "platform/FileJobRun.h"

#include <winioctl.h>

#include <cstring>
#include <map>
#include <memory>

#include "core/ConflictRules.h"
#include "core/KeepBothName.h"
#include "core/PathContainment.h"
#include "core/PathText.h"
#include "platform/Handles.h"
#include "platform/OsError.h"

namespace fm {

namespace {

constexpr DWORD kBlockSize = 1 << 20;

// What FindFirstFileW tells about one item, link bits included.
struct Entry {
  std::wstring path;
  DWORD attributes = 0;
  std::uint64_t size = 0;
  FILETIME creation{}, access{}, write{};
  DWORD reparseTag = 0;

  bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool IsLink() const { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
  ItemFacts Facts() const { return {path, size, write, attributes}; }
};

Entry FromFindData(std::wstring path, const WIN32_FIND_DATAW& data) {
  Entry entry;
  entry.path = std::move(path);
  entry.attributes = data.dwFileAttributes;
  entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  entry.creation = data.ftCreationTime;
  entry.access = data.ftLastAccessTime;
  entry.write = data.ftLastWriteTime;
  if (entry.IsLink()) entry.reparseTag = data.dwReserved0;
  return entry;
}

// The item at path; nothing, with the thread's last error set, when it cannot be seen.
std::optional<Entry> Look(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  const UniqueFindHandle find(FindFirstFileW(ExtendedLengthPath(path).c_str(), &data));
  if (!find) return std::nullopt;
  return FromFindData(path, data);
}

// The items directly in folder; an unreadable folder has none here and fails when its
// items are worked on.
std::vector<Entry> Children(const std::wstring& folder) {
  std::vector<Entry> children;
  WIN32_FIND_DATAW data;
  const UniqueFindHandle find(
      FindFirstFileW(ExtendedLengthPath(JoinPath(folder, L"*")).c_str(), &data));
  if (!find) return children;
  do {
    const std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    children.push_back(FromFindData(JoinPath(folder, name), data));
  } while (FindNextFileW(find.Get(), &data));
  return children;
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(ExtendedLengthPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD LastErrorOr(BOOL ok) { return ok ? ERROR_SUCCESS : GetLastError(); }

// The attributes a copy may carry; the ones that describe the item's kind come with it.
DWORD CarriedAttributes(DWORD attributes) {
  return attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
}

std::wstring VolumeOf(const std::wstring& path) {
  wchar_t volume[MAX_PATH + 1];
  if (GetVolumePathNameW(path.c_str(), volume, MAX_PATH + 1)) return ComparablePath(volume);
  // A path the call cannot take: its drive or share stands for its volume.
  const std::wstring plain = ComparablePath(path);
  return plain.substr(0, plain.find(L'\\', plain.starts_with(L"\\\\") ? 2 : 0));
}

// A file written under a name of its own until it is complete, removed when the copy does
// not get that far (cancel, failure, exception).
class PartialFile {
 public:
  explicit PartialFile(std::wstring path) : path_(std::move(path)) {}
  ~PartialFile() {
    handle.Reset();
    if (!kept_) DeleteFileW(ExtendedLengthPath(path_).c_str());
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  void Keep() { kept_ = true; }
  const std::wstring& Path() const { return path_; }

  UniqueHandle handle;

 private:
  std::wstring path_;
  bool kept_ = false;
};

// The raw reparse data of a link, as FSCTL_GET_REPARSE_POINT gives and FSCTL_SET takes it.
struct LinkData {
  std::vector<std::byte> buffer;
  std::wstring target;  // what CreateSymbolicLinkW is given
  bool relative = false;
};

struct ReparseHeader {
  DWORD tag;
  WORD dataLength;
  WORD reserved;
  WORD substituteOffset, substituteLength, printOffset, printLength;
};

DWORD ReadLink(const std::wstring& path, LinkData& link) {
  const UniqueHandle handle(CreateFileW(
      ExtendedLengthPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return GetLastError();
  link.buffer.resize(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD got = 0;
  if (!DeviceIoControl(handle.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, link.buffer.data(),
                       static_cast<DWORD>(link.buffer.size()), &got, nullptr)) {
    return GetLastError();
  }
  link.buffer.resize(got);
  if (got < sizeof(ReparseHeader)) return ERROR_INVALID_REPARSE_DATA;
  ReparseHeader header;
  std::memcpy(&header, link.buffer.data(), sizeof header);
  // Symbolic links carry a flags word before their names; junctions do not.
  std::size_t names = sizeof header;
  if (header.tag == IO_REPARSE_TAG_SYMLINK) {
    ULONG flags = 0;
    if (got < names + sizeof flags) return ERROR_INVALID_REPARSE_DATA;
    std::memcpy(&flags, link.buffer.data() + names, sizeof flags);
    link.relative = (flags & 1) != 0;
    names += sizeof flags;
  } else if (header.tag != IO_REPARSE_TAG_MOUNT_POINT) {
    return ERROR_NOT_SUPPORTED;
  }
  const bool usePrint = header.printLength != 0;
  const std::size_t offset = names + (usePrint ? header.printOffset : header.substituteOffset);
  const std::size_t length = usePrint ? header.printLength : header.substituteLength;
  if (offset + length > got) return ERROR_INVALID_REPARSE_DATA;
  link.target.resize(length / sizeof(wchar_t));
  std::memcpy(link.target.data(), link.buffer.data() + offset, length);
  return ERROR_SUCCESS;
}

class FileJobRun {
 public:
  FileJobRun(JobContext& context, const JobRequest& request)
      : context_(context), request_(request), buffer_(std::make_unique<std::byte[]>(kBlockSize)) {}

  void Run() {
    const std::vector<Entry> sources = Count();
    context_.Report([](JobProgress& p) { p.state = JobState::Running; }, true);
    if (request_.kind == JobKind::Move) {
      sameVolume_ =
          VolumeOf(FolderPart(request_.sources.front())) == VolumeOf(request_.targetFolder);
    }
    for (const Entry& source : sources) {
      if (request_.kind == JobKind::Delete) {
        Delete(source);
        continue;
      }
      const std::wstring name =
          request_.targetName.empty() ? LastPathPart(source.path) : request_.targetName;
      const std::wstring target = JoinPath(request_.targetFolder, name);
      if (request_.kind == JobKind::Copy) {
        Copy(source, target);
      } else {
        Move(source, target);
      }
    }
    context_.Report([](JobProgress& p) { p.currentItem.clear(); }, true);
  }

 private:
  struct Totals {
    std::uint64_t items = 0, bytes = 0;
  };

  // The scan: every item and byte the job will touch, so that the bar is honest. A source
  // that cannot be seen is asked about here, before anything is written.
  std::vector<Entry> Count() {
    std::vector<Entry> sources;
    Totals all;
    for (const auto& path : request_.sources) {
      std::optional<Entry> entry;
      const bool seen = Attempt(ItemFacts{path}, {}, [&] {
        entry = Look(path);
        return entry ? ERROR_SUCCESS : GetLastError();
      });
      if (!seen) continue;
      const Totals totals = CountTree(*entry);
      all.items += totals.items;
      all.bytes += totals.bytes;
      sources.push_back(std::move(*entry));
    }
    context_.Report(
        [&](JobProgress& p) {
          p.itemsTotal = all.items;
          p.bytesTotal = all.bytes;
        },
        true);
    return sources;
  }

  Totals CountTree(const Entry& entry) {
    Totals totals{1, entry.IsFolder() ? 0 : entry.size};
    if (entry.IsFolder() && !entry.IsLink()) {
      for (const Entry& child : Children(entry.path)) {
        const Totals inner = CountTree(child);
        totals.items += inner.items;
        totals.bytes += inner.bytes;
      }
      // A folder moved whole within its volume counts its items at once.
      if (request_.kind == JobKind::Move) folderTotals_[entry.path] = totals;
    }
    return totals;
  }

  // Runs step until it succeeds, asking Retry / Skip / Cancel after each failure. False when
  // the user skips the item.
  bool Attempt(const ItemFacts& source, const ItemFacts& target,
               const std::function<DWORD()>& step) {
    for (;;) {
      const DWORD error = step();
      if (error == ERROR_SUCCESS) return true;
      if (!AskFailed(source, target, FailureText(error))) return false;
    }
  }

  // The system's text, or the code where the system has no text for it.
  static std::wstring FailureText(DWORD error) {
    std::wstring text = SystemMessage(error);
    return text.empty() ? L"System error " + std::to_wstring(error) + L"." : text;
  }

  // True for Retry, false for Skip.
  bool AskFailed(const ItemFacts& source, const ItemFacts& target, std::wstring failure) {
    JobQuestion question;
    question.kind = QuestionKind::StepFailed;
    question.source = source;
    question.target = target;
    question.failure = std::move(failure);
    switch (context_.Ask(std::move(question))) {
      case Answer::Retry:
        return true;
      case Answer::Cancel:
        throw JobCancelled{};
      default:
        return false;
    }
  }

  void Started(const std::wstring& path) {
    context_.Report([&](JobProgress& p) { p.currentItem = path; });
  }

  void Finished(std::uint64_t items, std::uint64_t bytes) {
    context_.Report([&](JobProgress& p) {
      p.itemsDone += items;
      p.bytesDone += bytes;
    });
  }

  // Items done in one step (a rename) or skipped: what the scan counted in them is through,
  // so that the bar still reaches its end.
  void Passed(const Entry& entry) {
    Totals totals{1, entry.IsFolder() ? 0 : entry.size};
    if (auto it = folderTotals_.find(entry.path); it != folderTotals_.end())
      totals = it->second;
    else if (entry.IsFolder() && !entry.IsLink())
      totals = CountTree(entry);
    Finished(totals.items, totals.bytes);
  }

  enum class Resolution { Write, Replace, Skip };

  // What to do about a target name that exists; target may become a Keep-both name.
  Resolution Resolve(const Entry& source, std::wstring& target) {
    const std::optional<Entry> existing = Look(target);
    if (!existing) return Resolution::Write;
    ConflictStep step = rules_.Decide(Ticks(source.write), Ticks(existing->write));
    if (step == ConflictStep::Ask) {
      JobQuestion question;
      question.kind = QuestionKind::NameExists;
      question.source = source.Facts();
      question.target = existing->Facts();
      step = rules_.Answer(ToReply(context_.Ask(std::move(question))), Ticks(source.write),
                           Ticks(existing->write));
    }
    switch (step) {
      case ConflictStep::Skip:
        return Resolution::Skip;
      case ConflictStep::Cancel:
        throw JobCancelled{};
      case ConflictStep::KeepBoth: {
        const std::wstring folder = FolderPart(target);
        target = JoinPath(folder, KeepBothName(LastPathPart(target), source.IsFolder(),
                                               [&](std::wstring_view name) {
                                                 return Exists(JoinPath(folder, name));
                                               }));
        return Resolution::Write;
      }
      default:
        break;
    }
    // An item of another kind cannot take the place of the one there.
    if (existing->IsFolder() != source.IsFolder() || existing->IsLink() || source.IsLink()) {
      AskFailed(source.Facts(), existing->Facts(), FailureText(ERROR_ALREADY_EXISTS));
      return Resolution::Skip;
    }
    if ((existing->attributes & FILE_ATTRIBUTE_READONLY) != 0 && !overwriteReadOnly_) {
      JobQuestion question;
      question.kind = QuestionKind::ReadOnlyTarget;
      question.source = source.Facts();
      question.target = existing->Facts();
      switch (context_.Ask(std::move(question))) {
        case Answer::Overwrite:
          break;
        case Answer::OverwriteAll:
        case Answer::OverwriteAllOlder:
          overwriteReadOnly_ = true;
          break;
        case Answer::Cancel:
          throw JobCancelled{};
        default:
          return Resolution::Skip;
      }
    }
    return Resolution::Replace;
  }

  static ConflictReply ToReply(Answer answer) {
    switch (answer) {
      case Answer::Overwrite:
        return ConflictReply::Overwrite;
      case Answer::OverwriteAll:
        return ConflictReply::OverwriteAll;
      case Answer::OverwriteAllOlder:
        return ConflictReply::OverwriteAllOlder;
      case Answer::SkipAll:
        return ConflictReply::SkipAll;
      case Answer::KeepBoth:
        return ConflictReply::KeepBoth;
      case Answer::Cancel:
        return ConflictReply::Cancel;
      default:
        return ConflictReply::Skip;
    }
  }

  // Copy ----------------------------------------------------------------------------------

  void Copy(const Entry& source, std::wstring target) {
    Started(source.path);
    if (source.IsFolder() && !source.IsLink()) {
      CopyFolder(source, target);
      return;
    }
    // The name is looked at only when it turns out to be taken: a lookup of each name
    // before its copy costs as much as the copy of a small file.
    if (!source.IsLink()) {
      const CopyOutcome first = CopyFile(source, target, false);
      if (first == CopyOutcome::Done) return;
      if (first == CopyOutcome::Skipped) return Passed(source);
    }
    const Resolution resolution = Resolve(source, target);
    if (resolution == Resolution::Skip) {
      Passed(source);
    } else if (source.IsLink()) {
      if (CopyLink(source, target))
        Finished(1, 0);
      else
        Passed(source);
    } else if (CopyFile(source, target, resolution == Resolution::Replace) != CopyOutcome::Done) {
      Passed(source);
    }
  }

  // A folder that exists already takes the copied items in with its own.
  void CopyFolder(const Entry& source, std::wstring target) {
    const std::optional<Entry> existing = Look(target);
    if (existing && (!existing->IsFolder() || existing->IsLink())) {
      if (Resolve(source, target) == Resolution::Skip) return Passed(source);
    }
    if (!existing || target != existing->path) {
      const bool made = Attempt(source.Facts(), ItemFacts{target}, [&] {
        return LastErrorOr(CreateDirectoryW(ExtendedLengthPath(target).c_str(), nullptr));
      });
      if (!made) return Passed(source);
    }
    for (const Entry& child : Children(source.path)) {
      Copy(child, JoinPath(target, LastPathPart(child.path)));
    }
    CarryTimesAndAttributes(source, target);
    Finished(1, 0);
  }

  void CarryTimesAndAttributes(const Entry& source, const std::wstring& target) {
    {
      const UniqueHandle handle(CreateFileW(ExtendedLengthPath(target).c_str(),
                                            FILE_WRITE_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
      if (handle) SetFileTime(handle.Get(), &source.creation, &source.access, &source.write);
    }
    const DWORD carried = CarriedAttributes(source.attributes);
    if (carried != 0) SetFileAttributesW(ExtendedLengthPath(target).c_str(), carried);
  }

  enum class CopyOutcome { Done, Skipped, Exists };

  // Copies one file's bytes, its streams and times; a replaced target is written under a
  // name of its own and swapped in only when complete. A target name that exists, when it
  // is not to be replaced, is left to the caller.
  CopyOutcome CopyFile(const Entry& source, const std::wstring& target, bool replace) {
    const std::uint64_t bytesBefore = BytesDone();
    const DWORD carried = CarriedAttributes(source.attributes);
    for (;;) {
      const std::wstring written = replace ? TemporaryNameBeside(target) : target;
      DWORD error = ERROR_SUCCESS;
      {
        PartialFile partial(written);
        error = CopyData(source, partial, carried & ~FILE_ATTRIBUTE_READONLY);
        if (error == ERROR_SUCCESS && replace) error = SwapIn(written, target);
        if (error == ERROR_SUCCESS) partial.Keep();
      }
      if (error == ERROR_SUCCESS) {
        if ((carried & FILE_ATTRIBUTE_READONLY) != 0) {
          SetFileAttributesW(ExtendedLengthPath(target).c_str(), carried);
        }
        Finished(1, 0);
        return CopyOutcome::Done;
      }
      if (!replace && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)) {
        return CopyOutcome::Exists;
      }
      // The bytes of the failed attempt are not done.
      context_.Report([&](JobProgress& p) { p.bytesDone = bytesBefore; });
      if (!AskFailed(source.Facts(), ItemFacts{target}, FailureText(error))) {
        return CopyOutcome::Skipped;
      }
    }
  }

  std::uint64_t BytesDone() {
    std::uint64_t done = 0;
    context_.Report([&](JobProgress& p) { done = p.bytesDone; });
    return done;
  }

  static std::wstring TemporaryNameBeside(const std::wstring& target) {
    wchar_t unique[32];
    swprintf(unique, 32, L".%08lx%08llx.part", GetCurrentThreadId(),
             static_cast<unsigned long long>(GetTickCount64()));
    return JoinPath(FolderPart(target), L"~" + LastPathPart(target) + unique);
  }

  // The old target goes only when the new one takes its name in one step; a read-only old
  // target (the user agreed) loses that attribute first.
  static DWORD SwapIn(const std::wstring& written, const std::wstring& target) {
    const std::wstring old = ExtendedLengthPath(target);
    const DWORD attributes = GetFileAttributesW(old.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      SetFileAttributesW(old.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return LastErrorOr(MoveFileExW(ExtendedLengthPath(written).c_str(), old.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  }

  // The copy is made with the attributes it keeps, read-only aside (set once it is written).
  DWORD CopyData(const Entry& source, PartialFile& partial, DWORD attributes) {
    const UniqueHandle in(CreateFileW(ExtendedLengthPath(source.path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in) return GetLastError();
    // CREATE_NEW: a name that appeared meanwhile is never written over.
    const std::wstring written = ExtendedLengthPath(partial.Path());
    partial.handle.Reset(CreateFileW(
        written.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        (attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_SEQUENTIAL_SCAN,
        nullptr));
    if (!partial.handle) {
      const DWORD error = GetLastError();
      partial.Keep();  // not ours to remove
      return error;
    }
    if (const DWORD error = Pump(in.Get(), partial.handle.Get(), true)) return error;
    CopyStreams(source.path, written);
    FILETIME creation, access, write;
    if (GetFileTime(in.Get(), &creation, &access, &write)) {
      SetFileTime(partial.handle.Get(), &creation, &access, &write);
    }
    partial.handle.Reset();
    return ERROR_SUCCESS;
  }

  // Bytes from in to out in large blocks, with a check for pause and cancel after each.
  DWORD Pump(HANDLE in, HANDLE out, bool counted) {
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(in, buffer_.get(), kBlockSize, &got, nullptr)) return GetLastError();
      if (got == 0) return ERROR_SUCCESS;
      for (DWORD done = 0; done < got;) {
        DWORD put = 0;
        if (!WriteFile(out, buffer_.get() + done, got - done, &put, nullptr)) {
          return GetLastError();
        }
        if (put == 0) return ERROR_WRITE_FAULT;
        done += put;
      }
      if (counted) context_.Report([&](JobProgress& p) { p.bytesDone += got; });
      context_.Checkpoint();
    }
  }

  // Alternate data streams, where the platform lists them (a downloaded file's zone mark).
  void CopyStreams(const std::wstring& source, const std::wstring& written) {
    WIN32_FIND_STREAM_DATA data;
    const UniqueFindHandle find(
        FindFirstStreamW(ExtendedLengthPath(source).c_str(), FindStreamInfoStandard, &data, 0));
    if (!find) return;
    do {
      const std::wstring_view name = data.cStreamName;
      if (name == L"::$DATA") continue;
      const std::wstring stream(name.substr(0, name.rfind(L":$DATA")));
      const UniqueHandle in(CreateFileW((ExtendedLengthPath(source) + stream).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
      const UniqueHandle out(CreateFileW((written + stream).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr));
      if (in && out) Pump(in.Get(), out.Get(), false);
    } while (FindNextStreamW(find.Get(), &data));
  }

  // A link is made again as a link pointing where the source points; its target is never
  // entered. False when the user skipped it.
  bool CopyLink(const Entry& source, const std::wstring& target) {
    return Attempt(source.Facts(), ItemFacts{target}, [&]() -> DWORD {
      LinkData link;
      if (const DWORD error = ReadLink(source.path, link)) return error;
      const std::wstring made = ExtendedLengthPath(target);
      if (source.reparseTag == IO_REPARSE_TAG_MOUNT_POINT) {
        if (!CreateDirectoryW(made.c_str(), nullptr)) return GetLastError();
        const UniqueHandle handle(
            CreateFileW(made.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        DWORD unused = 0;
        if (!handle || !DeviceIoControl(handle.Get(), FSCTL_SET_REPARSE_POINT, link.buffer.data(),
                                        static_cast<DWORD>(link.buffer.size()), nullptr, 0, &unused,
                                        nullptr)) {
          const DWORD error = GetLastError();
          RemoveDirectoryW(made.c_str());
          return error;
        }
      } else {
        const DWORD flags = (source.IsFolder() ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                            SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
        if (!CreateSymbolicLinkW(made.c_str(), link.target.c_str(), flags)) return GetLastError();
      }
      // A call that answers success and makes nothing must not pass for a copy.
      const DWORD attributes = GetFileAttributesW(made.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES ||
          (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return ERROR_NOT_SUPPORTED;
      }
      return ERROR_SUCCESS;
    });
  }

  // Move ----------------------------------------------------------------------------------

  void Move(const Entry& source, std::wstring target) {
    Started(source.path);
    const std::optional<Entry> existing = Look(target);
    if (existing && source.IsFolder() && !source.IsLink() && existing->IsFolder() &&
        !existing->IsLink()) {
      MoveInto(source, target);
      return;
    }
    const Resolution resolution = Resolve(source, target);
    if (resolution == Resolution::Skip) return Passed(source);
    if (sameVolume_) {
      bool otherVolume = false;
      const bool moved = Attempt(source.Facts(), ItemFacts{target}, [&]() -> DWORD {
        if (resolution == Resolution::Replace) return SwapIn(source.path, target);
        const DWORD error = LastErrorOr(MoveFileExW(ExtendedLengthPath(source.path).c_str(),
                                                    ExtendedLengthPath(target).c_str(), 0));
        // Another volume after all (one mounted in a folder of this one).
        otherVolume = error == ERROR_NOT_SAME_DEVICE;
        return otherVolume ? ERROR_SUCCESS : error;
      });
      // Moved whole, or skipped: either way its items are through.
      if (!moved || !otherVolume) return Passed(source);
    }
    MoveAcross(source, target, resolution == Resolution::Replace);
  }

  // A folder moved onto a folder of the same name: its items go in one by one, and the
  // source folder goes only when nothing was left behind in it.
  void MoveInto(const Entry& source, const std::wstring& target) {
    for (const Entry& child : Children(source.path)) {
      Move(child, JoinPath(target, LastPathPart(child.path)));
    }
    RemoveIfEmpty(source);
  }

  void RemoveIfEmpty(const Entry& folder) {
    const std::wstring path = ExtendedLengthPath(folder.path);
    if ((folder.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      SetFileAttributesW(path.c_str(), folder.attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!RemoveDirectoryW(path.c_str()) && GetLastError() != ERROR_DIR_NOT_EMPTY) {
      Attempt(folder.Facts(), {}, [&] { return LastErrorOr(RemoveDirectoryW(path.c_str())); });
    }
    Finished(1, 0);
  }

  // Across volumes: each file is copied, its size compared, and only then is the source
  // deleted.
  void MoveAcross(const Entry& source, const std::wstring& target, bool replace) {
    if (source.IsFolder() && !source.IsLink()) {
      const bool made = Attempt(source.Facts(), ItemFacts{target}, [&] {
        return LastErrorOr(CreateDirectoryW(ExtendedLengthPath(target).c_str(), nullptr));
      });
      if (!made) return Passed(source);
      for (const Entry& child : Children(source.path)) {
        Move(child, JoinPath(target, LastPathPart(child.path)));
      }
      CarryTimesAndAttributes(source, target);
      RemoveIfEmpty(source);
      return;
    }
    if (source.IsLink()) {
      if (!CopyLink(source, target)) return Passed(source);
      DeleteSource(source);
      return;
    }
    if (CopyFile(source, target, replace) != CopyOutcome::Done) return Passed(source);
    const std::optional<Entry> copy = Look(target);
    const std::optional<Entry> original = Look(source.path);
    if (!copy || !original || copy->size != original->size) {
      AskFailed(source.Facts(), ItemFacts{target},
                L"The copy's size differs from the source's; the source is kept.");
      return;
    }
    DeleteSource(source);
  }

  void DeleteSource(const Entry& source) {
    const std::wstring path = ExtendedLengthPath(source.path);
    Attempt(source.Facts(), {}, [&] {
      if ((source.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path.c_str(), source.attributes & ~FILE_ATTRIBUTE_READONLY);
      }
      if (source.IsLink()) return RemoveLink(path);
      return LastErrorOr(source.IsFolder() ? RemoveDirectoryW(path.c_str())
                                           : DeleteFileW(path.c_str()));
    });
  }

  // The link itself, opened as a link, goes; whatever it points at stays.
  static DWORD RemoveLink(const std::wstring& path) {
    const UniqueHandle link(CreateFileW(
        path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!link) return GetLastError();
    FILE_DISPOSITION_INFO disposition{TRUE};
    return LastErrorOr(SetFileInformationByHandle(link.Get(), FileDispositionInfo, &disposition,
                                                  sizeof disposition));
  }

  // Delete --------------------------------------------------------------------------------

  // Permanently; a link is removed, never followed.
  void Delete(const Entry& entry) {
    Started(entry.path);
    if (entry.IsFolder() && !entry.IsLink()) {
      for (const Entry& child : Children(entry.path)) Delete(child);
    }
    DeleteSource(entry);
    Finished(1, entry.IsFolder() ? 0 : entry.size);
  }

  JobContext& context_;
  const JobRequest& request_;
  std::unique_ptr<std::byte[]> buffer_;
  ConflictRules rules_;
  bool overwriteReadOnly_ = false;
  bool sameVolume_ = false;
  std::map<std::wstring, Totals> folderTotals_;
};

}  // namespace

void RunFileJob(JobContext& context, const JobRequest& request) {
  FileJobRun(context, request).Run();
}

}  // namespace fm
