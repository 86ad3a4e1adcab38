#!/usr/bin/env python3
"""Checks the ELF facts a host relies on when it loads morvane.so.0.

usage: check_plugin_elf.py [--class ELF32] [--data big] [--machine PowerPC]
                           [--allow-sanitizers] [--readelf PROG] FILE

It needs readelf and c++filt from binutils; both read files of any architecture. Where the
file still has its full symbol table (it is not stripped), it also checks that the file carries
no copy of the C++ runtime of its own.
"""

import argparse
import re
import subprocess
import sys

SONAME = "morvane.so.0"
EXPORTS = {"plugin_exec"}

# Who supplies each undefined symbol, by its demangled name.
SUPPLIERS = [
    ("toolkit", re.compile(
        r"^(?:(?:typeinfo|typeinfo name|vtable|VTT|construction vtable) for )?"
        r"(?:ePoint|eSize|eString|eRCKey|e[A-Z]\w*)(?:\b|::)")),
    ("libsigc++", re.compile(
        r"^(?:(?:typeinfo|typeinfo name|vtable|VTT) for )?(?:sigc|SigC)::")),
    ("C++ runtime", re.compile(
        r"^(?:(?:typeinfo|typeinfo name|vtable|VTT) for )?"
        r"(?:std::|__gnu_cxx::|__cxxabiv1::|__cxa_|__gxx_personality|__dynamic_cast|"
        r"operator new|operator delete|_Unwind_)")),
]
# Entry points that only the C++ runtime itself defines. The plug-in must use the host's: a copy
# of its own would bring a second heap and exception machinery beside the host's. The compiler's
# static support code (libgcc's arithmetic and register save helpers) is no part of this, nor
# is placement new or delete (ending in ", void*)"), an inline function that an unoptimised
# build emits itself.
CXX_RUNTIME_OWN = re.compile(
    r"^(?:(?:typeinfo|typeinfo name|vtable) for )?"
    r"(?:__cxa_|__gxx_personality|__dynamic_cast|__cxxabiv1::|std::terminate\(|std::__throw_|"
    r"operator (?:new|delete)(?:\[\])?\((?!.*, void\*\)$))")
SANITIZERS = re.compile(r"^__(?:asan|ubsan|sanitizer|lsan)_")
# Weak references that the C run-time start files leave open; they may stay unresolved.
START_FILE_WEAK = {"__gmon_start__", "_ITM_registerTMCloneTable", "_ITM_deregisterTMCloneTable",
                   "__cxa_finalize", "_Jv_RegisterClasses"}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def header_field(header, name):
    match = re.search(rf"^\s*{name}:\s*(.+)$", header, re.MULTILINE)
    return match.group(1).strip() if match else ""


def symbol_rows(listing):
    """Yields the fields of each symbol line of a readelf symbol listing."""
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) >= 8 and fields[0].rstrip(":").isdigit():
            yield fields


def dynamic_symbols(readelf, path):
    """Yields (name, version, binding, is_undefined) for each dynamic symbol."""
    for fields in symbol_rows(run(readelf, "--dyn-syms", "--wide", path)):
        name_field = fields[7]
        if not name_field:
            continue
        name, _, version = name_field.partition("@")
        yield name, version.lstrip("@"), fields[4], fields[6] == "UND"


def own_definitions(readelf, path):
    """The names of the functions and objects the full symbol table (.symtab) defines, or None
    when the file has no such table."""
    _, found, table = run(readelf, "--syms", "--wide", path).partition("Symbol table '.symtab'")
    if not found:
        return None
    return [fields[7].partition("@")[0] for fields in symbol_rows(table)
            if fields[6] != "UND" and fields[3] in ("FUNC", "OBJECT")]


def demangle(cxxfilt, names):
    return run(cxxfilt, *names).splitlines() if names else []


def supplier(demangled, version, binding, allow_sanitizers):
    if version.startswith("GLIBC_"):
        return "C library"
    if binding == "WEAK" and demangled in START_FILE_WEAK:
        return "C run-time start files"
    if allow_sanitizers and SANITIZERS.match(demangled):
        return "sanitizer runtime"
    for who, pattern in SUPPLIERS:
        if pattern.match(demangled):
            return who
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("file")
    parser.add_argument("--class", dest="elf_class", help="ELF32 or ELF64")
    parser.add_argument("--data", help="'little' or 'big' (endianness)")
    parser.add_argument("--machine", help="text readelf prints as Machine, e.g. PowerPC")
    parser.add_argument("--allow-sanitizers", action="store_true",
                        help="sanitizer runtime symbols may stay undefined")
    parser.add_argument("--readelf", default="readelf")
    parser.add_argument("--cxxfilt", default="c++filt")
    args = parser.parse_args()

    failures = []
    header = run(args.readelf, "--file-header", args.file)
    if header_field(header, "Type").split()[0] != "DYN":
        failures.append(f"not a shared object: {header_field(header, 'Type')}")
    if args.elf_class and header_field(header, "Class") != args.elf_class:
        failures.append(f"class is {header_field(header, 'Class')}, not {args.elf_class}")
    if args.data and f"{args.data} endian" not in header_field(header, "Data"):
        failures.append(f"data is {header_field(header, 'Data')}, not {args.data} endian")
    if args.machine and header_field(header, "Machine") != args.machine:
        failures.append(f"machine is {header_field(header, 'Machine')}, not {args.machine}")

    dynamic = run(args.readelf, "--dynamic", args.file)
    sonames = re.findall(r"\(SONAME\)\s+Library soname: \[(.*)\]", dynamic)
    needed = re.findall(r"\(NEEDED\)\s+Shared library: \[(.*)\]", dynamic)
    if sonames != [SONAME]:
        failures.append(f"SONAME is {sonames}, not [{SONAME!r}]")
    if len(needed) != 1 or not re.fullmatch(r"libc\.so(\.\d+)?", needed[0]):
        failures.append(f"NEEDED is {needed}; only the C library may be needed")

    symbols = list(dynamic_symbols(args.readelf, args.file))
    exported = {name for name, _, binding, undefined in symbols
                if not undefined and binding in ("GLOBAL", "WEAK")}
    if exported != EXPORTS:
        failures.append(f"exports {sorted(exported)}, not only {sorted(EXPORTS)}")

    undefined = [(name, version, binding) for name, version, binding, undef in symbols if undef]
    demangled = demangle(args.cxxfilt, [name for name, _, _ in undefined])
    for (name, version, binding), readable in zip(undefined, demangled):
        if supplier(readable, version, binding, args.allow_sanitizers) is None:
            failures.append(f"undefined symbol no host supplies: {readable} ({name})")

    defined = own_definitions(args.readelf, args.file)
    if defined is None:
        runtime_note = "no symbol table to look for a C++ runtime copy in"
    else:
        runtime_note = "no C++ runtime copy"
        for readable in demangle(args.cxxfilt, defined):
            if CXX_RUNTIME_OWN.match(readable):
                failures.append(f"defines the C++ runtime's own {readable}")

    for failure in failures:
        print(f"FAIL {args.file}: {failure}")
    if failures:
        return 1
    print(f"ok {args.file}: SONAME {SONAME}, NEEDED {needed}, exports {sorted(exported)}, "
          f"{len(undefined)} undefined symbols all supplied by the host, {runtime_note}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
