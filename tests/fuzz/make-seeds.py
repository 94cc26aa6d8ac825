#!/usr/bin/env python3
"""Writes the seed inputs of every fuzz target from the test data (tests/data/):
real histories of each kind in CP932 and in UTF-8 (with and without a byte
order mark), journal files, account tables, settings and users, and export
runs that join them. Run it again after the test data changed."""
import hashlib
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
SECTION_END = b"\x1e"
FORMATS = {"suitou": 1, "kaikei": 2, "fuurin3": 3, "fuurin4": 4}


def read(*parts):
    with open(os.path.join(DATA, *parts), "rb") as f:
        return f.read()


def cases(area):
    return sorted(os.listdir(os.path.join(DATA, area)))


def exists(*parts):
    return os.path.exists(os.path.join(DATA, *parts))


def text_variants(cp932):
    """The file as CP932, as UTF-8 with and without a byte order mark, and with
    LF and lone CR line ends."""
    text = cp932.decode("cp932")
    utf8 = text.encode("utf-8")
    return {
        "cp932": cp932,
        "utf8": utf8,
        "utf8bom": b"\xef\xbb\xbf" + utf8,
        "lf": cp932.replace(b"\r\n", b"\n"),
        "cr": cp932.replace(b"\r\n", b"\r"),
    }


def write_seeds(target, seeds):
    folder = os.path.join(HERE, target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    seen = set()
    for name, data in sorted(seeds.items()):
        digest = hashlib.sha1(data).hexdigest()
        if digest in seen:
            continue
        seen.add(digest)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def card_history():
    seeds = {}
    for case in cases("journal"):
        if exists("journal", case, "history.csv"):
            for kind, data in text_variants(read("journal", case, "history.csv")).items():
                seeds[f"{case}-{kind}.csv"] = data
    money = read("journal", "money", "history.csv").decode("cp932")
    seeds["money-payee.csv"] = money.replace("費目別取引", "支払先/支払元別取引").encode("cp932")
    return seeds


def journal_file():
    seeds = {}
    for case in cases("journal"):
        if exists("journal", case, "expected_journal.csv"):
            seeds[f"{case}-expected.csv"] = read("journal", case, "expected_journal.csv")
    seeds["journal_file-history.csv"] = read("journal", "journal_file", "history.csv")
    seeds["report-journal_file_51.csv"] = read("report", "journal_file_51", "history.csv")
    for case in cases("export"):
        if exists("export", case, "journal.csv"):
            seeds[f"{case}.csv"] = read("export", case, "journal.csv")
    seeds["journal_file-utf8bom.csv"] = text_variants(read("journal", "journal_file", "history.csv"))["utf8bom"]
    return seeds


def account_table():
    seeds = {"program.csv": read("journal", "program", "kamoku_code.csv")}
    for case in cases("export"):
        seeds[f"{case}.csv"] = read("export", case, "kamoku_code.csv")
    table = read("journal", "program", "kamoku_code.csv")
    seeds["program-blank-line-at-end.csv"] = table + b"\r\n"
    seeds["program-blank-line-inside.csv"] = table.replace(b"\r\n", b"\r\n\r\n", 1)
    return seeds


def settings_file():
    seeds = {"program.ini": read("journal", "program", "inifile.ini")}
    for case in cases("export"):
        seeds[f"{case}.ini"] = read("export", case, "inifile.ini")
        seeds[f"{case}-expected.ini"] = read("export", case, "expected_inifile.ini")
    return seeds


def users_file():
    seeds = {"program.csv": read("journal", "program", "person.csv")}
    for case in cases("export"):
        if exists("export", case, "person.csv"):
            seeds[f"{case}.csv"] = read("export", case, "person.csv")
    seeds["empty-lines.csv"] = b"\r\n\r\n"
    seeds["commas-and-kana.csv"] = "山田 太郎\r\n鈴木,花子\r\nｽｽﾞｷ ｲﾁﾛｰ\r\n".encode("cp932")
    return seeds


def export():
    seeds = {}
    for case in cases("export"):
        format_number = FORMATS[[f for f in FORMATS if f in case][0]]
        history = read("export", case, "journal.csv" if exists("export", case, "journal.csv") else "history.csv")
        for options in (0, 1, 5):
            seeds[f"{case}-{options}.bin"] = (bytes([format_number - 1, options]) + history + SECTION_END
                                              + read("export", case, "kamoku_code.csv") + SECTION_END
                                              + read("export", case, "inifile.ini"))
    program = [read("journal", "program", n) for n in ("kamoku_code.csv", "inifile.ini")]
    for case in ("edy", "money", "transit_newer"):
        for format_number in FORMATS.values():
            seeds[f"{case}-format{format_number}.bin"] = (bytes([format_number - 1, 1])
                                                         + read("journal", case, "history.csv") + SECTION_END
                                                         + program[0] + SECTION_END + program[1])
    return seeds


def journal_rows(journal):
    """A journal file's rows below its heading as the lean export target reads
    them: UTF-8, cells separated by tabs."""
    lines = journal.decode("cp932").split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    return "\n".join(line.replace(",", "\t", 6) for line in lines[1:]).encode("utf-8")


def dialog_values(ini):
    """The dialog's boxes that the lean export target reads, from a settings
    file: company code and name, year-end, period start and end, rate."""
    lines = ini.decode("cp932").split("\r\n") + [""] * 16

    def date(text):
        return f"{text[:4]}/{text[4:6]}/{text[6:]}" if text else ""

    start, _, end = lines[4].partition(",")
    return "\n".join([lines[1], lines[2], date(lines[3]), date(start), date(end), lines[8]]).encode("utf-8")


def export_writers():
    seeds = {}
    journals = {case: read("export", case, "journal.csv") for case in cases("export")
                if exists("export", case, "journal.csv")}
    for kind in ("transit", "edy", "money", "transit_newer"):
        journals[kind] = read("journal", kind, "expected_journal.csv")
    for case in cases("export"):
        format_number = FORMATS[[f for f in FORMATS if f in case][0]]
        tax_blank = 1 if "tax_blank" in case else 0
        tail = (SECTION_END + read("export", case, "kamoku_code.csv") + SECTION_END
                + dialog_values(read("export", case, "inifile.ini")))
        if case in journals:
            card_kind = 2
            seeds[f"{case}.bin"] = bytes([format_number - 1, tax_blank | card_kind << 1]) \
                + journal_rows(journals[case]) + tail
        else:
            for kind in ("transit", "edy", "money", "transit_newer"):
                card_kind = {"transit": 0, "transit_newer": 0, "edy": 1, "money": 3}[kind]
                seeds[f"{case}-{kind}.bin"] = bytes([format_number - 1, tax_blank | card_kind << 1]) \
                    + journal_rows(journals[kind]) + tail
    return seeds


for target, seeds in [("card_history", card_history()), ("journal_file", journal_file()),
                      ("account_table", account_table()), ("settings_file", settings_file()),
                      ("users_file", users_file()), ("export", export()), ("export_writers", export_writers())]:
    write_seeds(target, seeds)
