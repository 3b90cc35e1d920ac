// The storage of a pane's entries.
#include "Entry.h"

#include <atomic>
#include <cstring>
#include <deque>
#include <new>
#include <unordered_map>
#include <utility>

#include "core/Error.h"
#include "core/PathText.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/OsError.h"
#include "platform/ShellItemIdList.h"

namespace PaneUnit {

namespace {

std::atomic<std::int64_t> liveEntries{0};

// The entries' blocks lie apart from the shell's memory: the shell's own lists of a
// folder read are all freed at its end, and the heap that held them can give their
// pages back only when no entry lies among them.
HANDLE EntryHeap() {
  static const fm::UniqueHeap heap(HeapCreate(0, 0, 0));
  if (!heap) fm::RaiseLastOSError();
  return heap.Get();
}

// A length the block can keep; texts that long never come from a file system.
constexpr std::size_t kLongest = 0xFFFE;
// The display name is the name.
constexpr std::uint16_t kSameAsName = 0xFFFF;

std::uint16_t Length(std::size_t length) {
  if (length > kLongest) throw fm::Error(L"A name or path is too long to list.");
  return static_cast<std::uint16_t>(length);
}

// The type names shown so far, each kept once for the process's life: they are few, and
// an entry names one by its place here. Place 0 is the empty name.
struct TypeNames {
  std::deque<std::wstring> names{std::wstring()};
  std::unordered_map<std::wstring_view, std::uint32_t> places{{names.front(), 0}};
};
TypeNames& ShownTypeNames() {
  static TypeNames typeNames;
  return typeNames;
}

}  // namespace

struct TSharedPath::Holder {
  std::wstring text;
  std::size_t holders = 1;
};

TSharedPath::TSharedPath(std::wstring path) : holder_(new Holder{std::move(path)}) {}

TSharedPath::TSharedPath(const TSharedPath& other) noexcept : holder_(other.holder_) {
  if (holder_) ++holder_->holders;
}

TSharedPath::TSharedPath(TSharedPath&& other) noexcept : holder_(std::exchange(other.holder_, nullptr)) {}

TSharedPath& TSharedPath::operator=(TSharedPath other) noexcept {
  std::swap(holder_, other.holder_);
  return *this;
}

TSharedPath::~TSharedPath() {
  if (holder_ && --holder_->holders == 0) delete holder_;
}

const std::wstring* TSharedPath::Get() const noexcept { return holder_ ? &holder_->text : nullptr; }

// The block: this head, the item ID list, then the name, the display name unless it is
// the name, and the full path unless the folder gives it, each without a terminator.
struct TLeftShellItem::Block {
  std::uint16_t idBytes;
  std::uint16_t nameLength;
  std::uint16_t displayLength;
  std::uint16_t pathLength;

  const std::uint8_t* Bytes() const { return reinterpret_cast<const std::uint8_t*>(this + 1); }
  const wchar_t* Texts() const {
    // Texts start at an even offset: an item ID list may end on an odd one.
    return reinterpret_cast<const wchar_t*>(Bytes() + ((idBytes + 1u) & ~1u));
  }
};

TLeftShellItem::TLeftShellItem(LPCITEMIDLIST item, std::wstring_view name, std::wstring_view displayName,
                               std::wstring_view fullPath, const TSharedPath& folder) {
  const bool joined = folder && !name.empty() && fm::JoinPath(*folder.Get(), name) == fullPath;
  const bool sameName = displayName == name;
  Block head{};
  head.idBytes = Length(static_cast<std::size_t>(item ? fm::ItemIDListSize(item) : 0));
  head.nameLength = Length(name.size());
  head.displayLength = sameName ? kSameAsName : Length(displayName.size());
  head.pathLength = joined ? 0 : Length(fullPath.size());
  const std::size_t textUnits =
      name.size() + (sameName ? 0 : displayName.size()) + (joined ? 0 : fullPath.size());
  const std::size_t size = sizeof(Block) + ((head.idBytes + 1u) & ~1u) + textUnits * sizeof(wchar_t);
  void* memory = HeapAlloc(EntryHeap(), 0, size);
  if (!memory) fm::RaiseOleError(E_OUTOFMEMORY);
  block_ = new (memory) Block(head);
  ++liveEntries;
  if (item) std::memcpy(const_cast<std::uint8_t*>(block_->Bytes()), item, head.idBytes);
  auto* text = const_cast<wchar_t*>(block_->Texts());
  for (const std::wstring_view part :
       {name, sameName ? std::wstring_view() : displayName, joined ? std::wstring_view() : fullPath}) {
    std::memcpy(text, part.data(), part.size() * sizeof(wchar_t));
    text += part.size();
  }
  if (joined) folder_ = folder;
}

TLeftShellItem::TLeftShellItem(TLeftShellItem&& other) noexcept
    : Size(other.Size),
      LastWrite(other.LastWrite),
      ImageIndex(other.ImageIndex),
      Attributes(other.Attributes),
      block_(std::exchange(other.block_, nullptr)),
      folder_(std::move(other.folder_)),
      typeName_(other.typeName_),
      Empty(other.Empty),
      unloadedBytesKnown_(other.unloadedBytesKnown_) {}

TLeftShellItem& TLeftShellItem::operator=(TLeftShellItem&& other) noexcept {
  // other takes this entry's block along and frees it in its own time.
  std::swap(Size, other.Size);
  std::swap(LastWrite, other.LastWrite);
  std::swap(ImageIndex, other.ImageIndex);
  std::swap(Attributes, other.Attributes);
  std::swap(block_, other.block_);
  std::swap(folder_, other.folder_);
  std::swap(typeName_, other.typeName_);
  std::swap(Empty, other.Empty);
  std::swap(unloadedBytesKnown_, other.unloadedBytesKnown_);
  return *this;
}

TLeftShellItem::~TLeftShellItem() {
  if (!block_) return;
  HeapFree(EntryHeap(), 0, block_);
  --liveEntries;
}

std::int64_t TLeftShellItem::Live() { return liveEntries; }

LPCITEMIDLIST TLeftShellItem::ID() const noexcept {
  return block_ && block_->idBytes ? reinterpret_cast<LPCITEMIDLIST>(block_->Bytes()) : nullptr;
}

std::wstring_view TLeftShellItem::Name() const noexcept {
  return block_ ? std::wstring_view(block_->Texts(), block_->nameLength) : std::wstring_view();
}

std::wstring_view TLeftShellItem::DisplayName() const noexcept {
  if (!block_) return {};
  if (block_->displayLength == kSameAsName) return Name();
  return std::wstring_view(block_->Texts() + block_->nameLength, block_->displayLength);
}

std::wstring TLeftShellItem::FullPath() const {
  if (!block_) return {};
  if (folder_) return fm::JoinPath(*folder_.Get(), Name());
  const std::size_t display = block_->displayLength == kSameAsName ? 0 : block_->displayLength;
  return std::wstring(block_->Texts() + block_->nameLength + display, block_->pathLength);
}

const std::wstring& TLeftShellItem::TypeName() const noexcept { return ShownTypeNames().names[typeName_]; }

void TLeftShellItem::SetTypeName(const std::wstring& typeName) {
  TypeNames& shown = ShownTypeNames();
  const auto known = shown.places.find(typeName);
  if (known != shown.places.end()) {
    typeName_ = known->second;
    return;
  }
  const auto place = static_cast<std::uint32_t>(shown.names.size());
  shown.places.emplace(shown.names.emplace_back(typeName), place);
  typeName_ = place;
}

std::wstring TLeftShellItem::ModDate() const { return fm::LocalDateText(LastWrite); }

void TLeftShellItem::SetUnloadedBytes(std::uint64_t bytes) noexcept {
  Size = bytes;
  unloadedBytesKnown_ = true;
}

}  // namespace PaneUnit
