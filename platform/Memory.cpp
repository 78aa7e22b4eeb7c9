#include "platform/Memory.h"

#include <elf.h>
#include <link.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

namespace {

// Whether the object was linked with text relocations: then the loader made even its read-only
// segments writable for a while, and their pages may be private copies that must be kept.
bool hasTextRelocations(const dl_phdr_info *info)
{
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr) &header = info->dlpi_phdr[i];
        if (header.p_type != PT_DYNAMIC)
            continue;
        for (auto *entry = reinterpret_cast<const ElfW(Dyn) *>(info->dlpi_addr + header.p_vaddr);
             entry->d_tag != DT_NULL; ++entry) {
            if (entry->d_tag == DT_TEXTREL || (entry->d_tag == DT_FLAGS && (entry->d_un.d_val & DF_TEXTREL)))
                return true;
        }
    }
    return false;
}

int releaseReadOnlyData(dl_phdr_info *info, size_t, void *)
{
    if (hasTextRelocations(info))
        return 0;
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    uintptr_t relroStart = 0, relroEnd = 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr) &header = info->dlpi_phdr[i];
        if (header.p_type == PT_GNU_RELRO) {
            relroStart = (info->dlpi_addr + header.p_vaddr) & ~(page - 1);
            relroEnd = (info->dlpi_addr + header.p_vaddr + header.p_memsz + page - 1) & ~(page - 1);
        }
    }
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr) &header = info->dlpi_phdr[i];
        // Read-only data only: code is what a lesson runs, writable and relocated pages are the
        // program's own state. (The kernel's vdso is one executable segment, so it is left too.)
        if (header.p_type != PT_LOAD || (header.p_flags & (PF_W | PF_X)) != 0)
            continue;
        // Whole pages of the file's own extent: the page that holds the segment's end may hold the
        // start of the next one.
        const uintptr_t start = (info->dlpi_addr + header.p_vaddr + page - 1) & ~(page - 1);
        uintptr_t end = (info->dlpi_addr + header.p_vaddr + header.p_filesz) & ~(page - 1);
        if (relroStart < end && start < relroEnd)
            end = relroStart > start ? relroStart : start;
        if (end > start)
            madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED);
    }
    return 0;
}

} // namespace

void releaseStartUpMemory()
{
    malloc_trim(0);
    dl_iterate_phdr(releaseReadOnlyData, nullptr);
}

} // namespace platform
