#!/usr/bin/python3
"""Reads an EDS file as a strict INI file and checks the CiA 306 rules a
configuration tool relies on. Prints one line per problem; exit status 0 when
there is none, 1 otherwise, 2 when the file cannot be read at all.

Usage: eds_check.py FILE.eds
"""
import configparser
import re
import sys

OBJECT_LISTS = ("MandatoryObjects", "OptionalObjects", "ManufacturerObjects")
# NULL, DOMAIN, DEFTYPE, DEFSTRUCT, VAR, ARRAY, RECORD
OBJECT_TYPES = {0x0, 0x2, 0x5, 0x6, 0x7, 0x8, 0x9}
# The basic data types: BOOLEAN (0x0001) to UNSIGNED64 (0x001B).
DATA_TYPES = set(range(0x0001, 0x001C))
ACCESS_TYPES = {"ro", "wo", "rw", "rwr", "rww", "const"}
OBJECT_NAME = re.compile(r"^[0-9A-F]{4}$")
SUB_NAME = re.compile(r"^([0-9A-F]{4})sub([0-9A-F]{1,2})$")


def number(text):
    return int(text, 0)


def main(path):
    problems = []
    eds = configparser.ConfigParser(strict=True, interpolation=None)
    try:
        with open(path, encoding="ascii", newline="") as f:
            text = f.read()
        eds.read_string(text, source=path)
    except (configparser.Error, UnicodeDecodeError, OSError) as e:
        print(f"not a strict INI file: {e}")
        return 2
    if any(not line.endswith("\r\n") for line in text.splitlines(keepends=True)):
        problems.append("a line does not end with CR LF")

    listed = {}
    for name in OBJECT_LISTS:
        if not eds.has_section(name):
            problems.append(f"[{name}] is missing")
            continue
        section = eds[name]
        count = number(section.get("SupportedObjects", "-1"))
        keys = sorted((k for k in section if k != "supportedobjects"), key=lambda k: int(k) if k.isdigit() else -1)
        if keys != [str(n) for n in range(1, count + 1)]:
            problems.append(f"[{name}] SupportedObjects={count} but the entries are {', '.join(keys) or 'none'}")
        for key in keys:
            index = "%04X" % number(section[key])
            if index in listed:
                problems.append(f"object {index} is listed in [{listed[index]}] and [{name}]")
            listed[index] = name
            if not eds.has_section(index):
                problems.append(f"[{name}] lists {index}, which has no section")

    subs = {}
    for name in eds.sections():
        m = SUB_NAME.match(name)
        if m:
            subs.setdefault(m.group(1), []).append(name)
            if not eds.has_section(m.group(1)):
                problems.append(f"[{name}] has no object section {m.group(1)}")

    for name in eds.sections():
        if not (OBJECT_NAME.match(name) or SUB_NAME.match(name)):
            continue
        section = eds[name]
        if OBJECT_NAME.match(name) and name not in listed:
            problems.append(f"[{name}] is in no object list")
        object_type = number(section.get("ObjectType", "0x7"))
        if object_type not in OBJECT_TYPES:
            problems.append(f"[{name}] ObjectType {section['ObjectType']} is not legal")
        if "SubNumber" in section:
            have = len(subs.get(name, []))
            if number(section["SubNumber"]) != have:
                problems.append(f"[{name}] SubNumber={section['SubNumber']} but it has {have} sub-index sections")
            if object_type not in (0x8, 0x9):
                problems.append(f"[{name}] has sub-indexes but ObjectType {section['ObjectType']}")
            if f"{name}sub0" not in subs.get(name, []):
                problems.append(f"[{name}] has no sub-index 0")
            continue
        if OBJECT_NAME.match(name) and name in subs:
            problems.append(f"[{name}] has sub-index sections but no SubNumber")
        if object_type == 0x7:
            if "DataType" not in section or number(section["DataType"]) not in DATA_TYPES:
                problems.append(f"[{name}] DataType {section.get('DataType')} is not legal")
            if section.get("AccessType", "").lower() not in ACCESS_TYPES:
                problems.append(f"[{name}] AccessType {section.get('AccessType')} is not legal")
            if section.get("PDOMapping", "0") not in ("0", "1"):
                problems.append(f"[{name}] PDOMapping {section.get('PDOMapping')} is not 0 or 1")

    info = eds["FileInfo"] if eds.has_section("FileInfo") else {}
    if info.get("EDSVersion") != "4.0":
        problems.append(f"EDSVersion {info.get('EDSVersion')} is not 4.0")
    for key in ("CreationTime", "ModificationTime"):
        if not re.fullmatch(r"(0[1-9]|1[0-2]):[0-5][0-9](AM|PM)", info.get(key, "")):
            problems.append(f"{key} {info.get(key)} is not hh:mm(AM|PM) with hh from 01 to 12")
    for key in ("CreationDate", "ModificationDate"):
        if not re.fullmatch(r"(0[1-9]|1[0-2])-(0[1-9]|[12][0-9]|3[01])-[0-9]{4}", info.get(key, "")):
            problems.append(f"{key} {info.get(key)} is not mm-dd-yyyy")

    device = eds["DeviceInfo"] if eds.has_section("DeviceInfo") else {}
    rx = sum(1 for n in listed if 0x1400 <= int(n, 16) <= 0x15FF)
    tx = sum(1 for n in listed if 0x1800 <= int(n, 16) <= 0x19FF)
    if device.get("NrOfRXPDO") != str(rx) or device.get("NrOfTXPDO") != str(tx):
        problems.append(f"NrOfRXPDO/NrOfTXPDO {device.get('NrOfRXPDO')}/{device.get('NrOfTXPDO')} "
                        f"but the file describes {rx}/{tx}")

    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
