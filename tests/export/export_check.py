"""tavrel export read back by independent readers: the DXF's text entities (ezdxf) and the PDF's
text (pdftotext -layout) give back the printed lines of the CAD text file, for the example sheet,
a sheet of every bundled note and, given the generator of the benchmarks, a sheet of full size
(600 KB, some 10,000 lines).
Usage: export_check.py TAVREL LIBRARY EXAMPLE.inp WORKDIR [GENERATE_NOTE_INPUT]"""
import os
import re
import shutil
import subprocess
import sys

try:
    import ezdxf
    from ezdxf.lldxf.tagger import ascii_tags_loader
except ImportError:
    sys.exit(77)
if shutil.which("pdftotext") is None:
    sys.exit(77)

tavrel, library, example, work = sys.argv[1:5]
os.makedirs(work, exist_ok=True)
full_size = []
if len(sys.argv) > 5 and sys.argv[5]:
    full_size = [os.path.join(work, "full-size.inp")]
    subprocess.run([sys.argv[5], "0.6", full_size[0]], check=True)


def run(*args, stdout=None):
    return subprocess.run([tavrel, "--library", library, *args], check=True, stdout=stdout)


def printed_lines(cad_text):
    lines = re.split(rb"\r\n|\r|\n", cad_text)
    if lines and lines[-1] == b"":
        lines.pop()
    return [line.decode("cp1252") for line in lines if not line.lstrip(b" ").startswith(b".")]


def chart(name):
    symbols = {}
    with open(os.path.join(library, "Help", name), encoding="utf-8") as file:
        for line in file:
            key, tab, symbol = line.rstrip("\n").partition("\t")
            if tab and len(key) == 1 and not line.startswith("# "):
                symbols[key] = symbol.strip()
    return symbols


def check_dxf(path, lines):
    # Every group code is one a DXF file may hold, and the drawing passes ezdxf's audit: its
    # reader alone forgives what stricter CAD programs refuse.
    with open(path, encoding="cp1252") as stream:
        for tag in ascii_tags_loader(stream):
            assert 0 <= tag.code <= 1071, f"group code {tag.code} ({tag.value})"
    drawing = ezdxf.readfile(path)
    auditor = drawing.audit()
    assert not auditor.has_errors, [str(error.message) for error in auditor.errors]
    assert drawing.header["$DWGCODEPAGE"] == "ANSI_1252", drawing.header["$DWGCODEPAGE"]
    height = drawing.styles.get("NOTES").dxf.height
    pitch = 2 * height  # .TH plus .LS, both an eighth of an inch
    placed = {}
    layer = drawing.layers.get("NOTES")
    assert (layer.color, layer.dxf.linetype) == (7, "CONTINUOUS")
    for text in drawing.modelspace().query("TEXT"):
        assert text.dxf.style == "NOTES" and text.dxf.layer == "NOTES" and text.dxf.insert.x == 0
        row = round((-text.dxf.insert.y - height) / pitch)
        placed[row] = text.dxf.text
    expected = {row: line for row, line in enumerate(lines) if line.strip()}
    assert placed == expected, first_difference(expected, placed)


def check_pdf(path, lines, symbols):
    text = subprocess.run(["pdftotext", "-layout", path, "-"], check=True,
                          capture_output=True, text=True).stdout
    footer = re.compile(r"^\S+ - page \d+ of \d+$")
    got = [" ".join(line.split()) for line in text.splitlines()]
    got = [line for line in got if line and not footer.match(line)]
    expected = [" ".join("".join(symbols.get(c, c) for c in line).split()) for line in lines]
    expected = [line for line in expected if line]
    assert got == expected, first_difference(dict(enumerate(expected)), dict(enumerate(got)))


def first_difference(expected, got):
    for key in sorted(set(expected) | set(got)):
        if expected.get(key) != got.get(key):
            return f"line {key}: expected {expected.get(key)!r}, got {got.get(key)!r}"
    return "same"


every_note = os.path.join(work, "every-note.inp")
names = subprocess.run([tavrel, "--library", library, "list"], check=True, capture_output=True,
                       text=True).stdout.splitlines()
run("compose", "--force", "-o", every_note, "--project", "EVERY NOTE",
    *sorted({f"{row.split(chr(9))[1]}:{row.split(chr(9))[2]}" for row in names}))
for sheet in (example, every_note, *full_size):
    stem = os.path.join(work, os.path.splitext(os.path.basename(sheet))[0])
    cad = run("process", "-o", "-", sheet, stdout=subprocess.PIPE).stdout
    lines = printed_lines(cad)
    run("export", "--force", "--to", "dxf", "-o", stem + ".dxf", sheet)
    check_dxf(stem + ".dxf", lines)
    run("export", "--force", "--to", "pdf", "-o", stem + ".pdf", sheet)
    check_pdf(stem + ".pdf", lines, chart("SymbolsEnglish.txt"))
    print(f"{os.path.basename(sheet)}: {len(lines)} lines back from the DXF and the PDF")
