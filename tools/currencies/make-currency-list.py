#!/usr/bin/env python3
"""Writes data/currencies.csv, the full currency list the program ships.

The codes and their standard names come from Debian's iso-codes (ISO 4217),
how each currency's amounts are written from glibc's locale sources (package
locales), and the rates, the row names and the choice of locale from our own
hand-written data/currency-sources.csv. Run it again after editing that file
or after a new iso-codes or locales release:

    tools/currencies/make-currency-list.py [--check]

--check compares the result with the committed list instead of writing it.
"""

import argparse
import csv
import io
import json
import re
import sys
import unicodedata
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SOURCES = ROOT / "data" / "currency-sources.csv"
OUTPUT = ROOT / "data" / "currencies.csv"
ISO_4217 = Path("/usr/share/iso-codes/json/iso_4217.json")
LOCALES = Path("/usr/share/i18n/locales")

COLUMNS = [
    "name", "code", "symbol", "digits", "leadingZero", "grouping", "decimalSeparator",
    "thousandSeparator", "positiveOrder", "negativeOrder", "rate", "rateDate",
]

# The standard names are singular; the list speaks of money in the plural
# ("U.S. Dollars"), as the device's own names do, where English has a plural.
PLURALS = {
    "Dinar": "Dinars", "Dirham": "Dirhams", "Dollar": "Dollars", "Franc": "Francs",
    "Guilder": "Guilders", "Krona": "Kronor", "Krone": "Kroner", "Peso": "Pesos",
    "Pound": "Pounds", "Real": "Reais", "Rial": "Rials", "Riyal": "Riyals", "Ruble": "Rubles",
    "Rupee": "Rupees", "Shilling": "Shillings", "Florin": "Florins", "Escudo": "Escudos",
    "Manat": "Manats", "Mark": "Marks", "Leu": "Lei", "Lev": "Leva", "Sol": "Soles",
    "Colon": "Colones", "Boliviano": "Bolivianos",
}


def fail(message):
    sys.exit(f"make-currency-list: {message}")


# --- glibc locale sources -------------------------------------------------

def read_locale_file(name):
    """The categories of one locale source: {category: [(keyword, values)]}."""
    path = LOCALES / name
    if not path.is_file():
        fail(f"no locale source {path} (is the package locales installed?)")
    text = path.read_text(encoding="utf-8", errors="replace")
    comment, escape = "#", "\\"
    for line in text.splitlines()[:10]:
        words = line.split()
        if len(words) == 2 and words[0] == "comment_char":
            comment = words[1]
        elif len(words) == 2 and words[0] == "escape_char":
            escape = words[1]
    # Joined continuation lines, without comments.
    lines, pending = [], ""
    for raw in text.splitlines():
        stripped = raw.strip()
        if not pending and stripped.startswith(comment):
            continue
        if stripped.endswith(escape) and not stripped.endswith(escape * 2):
            pending += stripped[:-1]
            continue
        lines.append(pending + stripped)
        pending = ""
    categories, current = {}, None
    for line in lines:
        if not line:
            continue
        words = line.split(None, 1)
        keyword = words[0]
        if keyword.startswith("LC_") and len(words) == 1:
            current = categories.setdefault(keyword, [])
        elif keyword == "END":
            current = None
        elif current is not None:
            current.append((keyword, words[1] if len(words) > 1 else ""))
    return categories, escape


def decode_string(value, escape):
    """A quoted locale string with <Uxxxx> characters as text."""
    match = re.match(r'\s*"(.*)"', value)
    if not match:
        return None
    body, out, i = match.group(1), [], 0
    while i < len(body):
        if body[i] == "<":
            end = body.index(">", i)
            symbol = body[i + 1:end]
            if not re.fullmatch(r"U[0-9A-Fa-f]{4,8}", symbol):
                fail(f"cannot read the symbol <{symbol}>")
            out.append(chr(int(symbol[1:], 16)))
            i = end + 1
        elif body[i] == escape and i + 1 < len(body):
            out.append(body[i + 1])
            i += 2
        else:
            out.append(body[i])
            i += 1
    return "".join(out)


_category_cache = {}


def category(locale, name, depth=0):
    """One category of a locale as {keyword: raw value}, copies followed."""
    key = (locale, name)
    if key in _category_cache:
        return _category_cache[key]
    if depth > 10:
        fail(f"{locale}: {name} copies go round in a circle")
    categories, escape = read_locale_file(locale)
    values = {}
    for keyword, value in categories.get(name, []):
        if keyword == "copy":
            values.update(category(decode_string(value, escape), name, depth + 1))
        else:
            values[keyword] = (value, escape)
    _category_cache[key] = values
    return values


def text_item(values, keyword):
    if keyword not in values:
        return None
    value, escape = values[keyword]
    return decode_string(value, escape)


def number_item(values, keyword):
    if keyword not in values:
        return None
    return int(values[keyword][0].split(";")[0])


def grouping_text(values):
    """mon_grouping as the device writes it: "3;3" -> "3;0", "3;2" -> "3;2;0"."""
    raw = values.get("mon_grouping", ("-1", ""))[0].strip()
    sizes, repeats = [], True
    for part in raw.split(";"):
        if not part:
            continue
        size = int(part)
        if size <= 0 or size >= 127:
            repeats = size == 0
            break
        sizes.append(size)
    if not sizes:
        return "0;0"
    # The last size repeats; "3;3" says no more than "3".
    while len(sizes) > 1 and sizes[-1] == sizes[-2]:
        sizes.pop()
    return ";".join(str(size) for size in sizes) + (";0" if repeats else "")


def positive_order(precedes, space):
    """The rule of PositiveCurrencyOrder in src/platform/processlocale.cpp."""
    if precedes:
        return 2 if space else 0
    return 3 if space else 1


def negative_order(precedes, space, sign_position):
    """The rule of NegativeCurrencyOrder in src/platform/processlocale.cpp."""
    orders = [
        [0, 14, 4, 15],
        [1, 9, 5, 8],
        [3, 11, 7, 10],
        [1, 9, 6, 13],
        [2, 12, 7, 10],
    ]
    row = sign_position if 0 <= sign_position <= 4 else 1
    return orders[row][(0 if precedes else 2) + (1 if space else 0)]


def locale_format(locale):
    """How the locale writes its currency, in the device's items."""
    values = category(locale, "LC_MONETARY")
    if "mon_decimal_point" not in values:
        fail(f"{locale} defines no monetary format")

    def flag(keyword, default):
        value = number_item(values, keyword)
        return default if value is None or value < 0 or value >= 127 else value

    return {
        "intl": (text_item(values, "int_curr_symbol") or "").strip()[:3],
        "symbol": text_item(values, "currency_symbol") or "",
        "digits": flag("frac_digits", 2),
        "leadingZero": 1,  # a POSIX locale always writes "0.5"
        "grouping": grouping_text(values),
        "decimalSeparator": text_item(values, "mon_decimal_point") or "",
        "thousandSeparator": text_item(values, "mon_thousands_sep") or "",
        "positiveOrder": positive_order(flag("p_cs_precedes", 1) != 0,
                                        flag("p_sep_by_space", 0)),
        "negativeOrder": negative_order(flag("n_cs_precedes", 1) != 0,
                                        flag("n_sep_by_space", 0), flag("n_sign_posn", 1)),
    }


def locales_by_currency():
    """{code: [locale names]} for every locale source that names its currency."""
    found = {}
    for path in sorted(LOCALES.iterdir()):
        if "_" not in path.name or not path.is_file():
            continue
        try:
            code = locale_format(path.name)["intl"]
        except SystemExit:
            continue
        if code:
            found.setdefault(code, []).append(path.name)
    return found


def pick_locale(code, candidates):
    """The locale of the country whose code begins the currency code, in the
    English variant when there is one; otherwise the first by name."""
    home = [name for name in candidates if name.split("_")[1][:2] == code[:2]]
    pool = home or candidates
    english = [name for name in pool if name.startswith("en_")]
    return (english or pool)[0]


# --- our sources ----------------------------------------------------------

def plural(name):
    words = name.split(" ")
    words[-1] = PLURALS.get(words[-1], words[-1])
    return " ".join(words)


def sort_key(name):
    """Alphabetical as a reader expects it: "São Tomé" among the "Sa" names."""
    letters = unicodedata.normalize("NFKD", name)
    return "".join(c for c in letters if not unicodedata.combining(c)).casefold()


def read_sources():
    rate_date, rows, skipped = None, [], {}
    with SOURCES.open(encoding="utf-8", newline="") as source:
        for number, fields in enumerate(csv.reader(source), 1):
            if not fields or fields[0].startswith("#"):
                continue
            if fields[0] == "date":
                rate_date = fields[1]
                continue
            fields += [""] * (6 - len(fields))
            code, rate, name, locale, symbol, digits = (field.strip() for field in fields[:6])
            if rate == "skip":
                skipped[code] = name
                continue
            try:
                value = float(rate)
            except ValueError:
                fail(f"{SOURCES.name}:{number}: the rate of {code} is not a number")
            if not value > 0:
                fail(f"{SOURCES.name}:{number}: the rate of {code} must be above zero")
            rows.append({"line": number, "code": code, "rate": rate, "name": name,
                         "locale": locale, "symbol": symbol, "digits": digits})
    if not rate_date or not re.fullmatch(r"\d{4}-\d\d-\d\d", rate_date):
        fail(f"{SOURCES.name} needs a line date,YYYY-MM-DD")
    return rate_date, rows, skipped


def build():
    iso = {entry["alpha_3"]: entry["name"]
           for entry in json.loads(ISO_4217.read_text(encoding="utf-8"))["4217"]}
    rate_date, sources, skipped = read_sources()
    listed = {row["code"] for row in sources}
    for code in sorted(listed | set(skipped)):
        if code not in iso:
            fail(f"{code} is not an ISO 4217 code")
    for code in sorted(set(iso) - listed - set(skipped)):
        fail(f"{code} ({iso[code]}) is neither listed nor skipped in {SOURCES.name}")
    by_currency = locales_by_currency()

    rows, rates, names = [], {}, set()
    for source in sources:
        code = source["code"]
        if rates.setdefault(code, source["rate"]) != source["rate"]:
            fail(f"line {source['line']}: {code} rows share one rate, {rates[code]}")
        locale = source["locale"] or (by_currency.get(code) and pick_locale(code,
                                                                          by_currency[code]))
        if not locale:
            fail(f"line {source['line']}: no locale uses {code}; name one to borrow from")
        fmt = locale_format(locale)
        if fmt["intl"] != code and not source["symbol"]:
            fail(f"line {source['line']}: {locale} writes {fmt['intl']}, not {code}; "
                 "give the symbol")
        name = source["name"] or plural(iso[code])
        if name.casefold() in names:
            fail(f"line {source['line']}: the name {name} is taken")
        names.add(name.casefold())
        row = dict(fmt, name=name, code=code, rate=source["rate"], rateDate=rate_date)
        if source["symbol"]:
            row["symbol"] = "" if source["symbol"] == "-" else source["symbol"]
        if source["digits"]:
            row["digits"] = int(source["digits"])
        rows.append(row)
    rows.sort(key=lambda row: sort_key(row["name"]))

    out = io.StringIO()
    out.write("# Generated by tools/currencies/make-currency-list.py from iso-codes, glibc's\n"
              "# locale sources and data/currency-sources.csv; edit those, not this file.\n")
    writer = csv.DictWriter(out, COLUMNS, extrasaction="ignore", lineterminator="\n")
    writer.writeheader()
    writer.writerows(rows)
    return out.getvalue()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed list instead of writing it")
    arguments = parser.parse_args()
    result = build()
    if arguments.check:
        if OUTPUT.read_text(encoding="utf-8") != result:
            fail(f"{OUTPUT} is out of date")
        return
    OUTPUT.write_text(result, encoding="utf-8")


if __name__ == "__main__":
    main()
