#!/usr/bin/python3
"""Writes .xlsx and .ods word libraries from rows of values, byte for byte the
same for the same rows (fixed timestamps, fixed part order), with nothing but
Python's standard library.

A sheet is (name, rows); a row is a list of cells; a cell is None (no cell),
a str (a shared string in .xlsx, a string cell in .ods), an int or a float (a
number cell), or Raw(xml) for a cell written exactly as given (its reference
attribute is added in .xlsx; in .ods the XML is the whole table-cell element).
"""

import io
import zipfile
from xml.sax.saxutils import escape, quoteattr

FIXED_TIME = (1980, 1, 1, 0, 0, 0)


class Raw:
    def __init__(self, xml):
        self.xml = xml


def _zip(parts, stored_first=None):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in parts:
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.compress_type = zipfile.ZIP_STORED if name == stored_first else zipfile.ZIP_DEFLATED
            archive.writestr(info, data.encode("utf-8") if isinstance(data, str) else data)
    return out.getvalue()


def column_name(index):
    name = ""
    index += 1
    while index:
        index, rest = divmod(index - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


MAIN_NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL_NS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL_NS = "http://schemas.openxmlformats.org/package/2006/relationships"
DOC_REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"

DEFAULT_STYLES = (
    '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
    f'<styleSheet xmlns="{MAIN_NS}">'
    '<numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy/m/d h:mm:ss"/></numFmts>'
    '<fonts count="1"><font/></fonts><fills count="1"><fill/></fills><borders count="1"><border/></borders>'
    '<cellStyleXfs count="1"><xf numFmtId="0"/></cellStyleXfs>'
    # 0 general, 1 date (14), 2 time (21), 3 date and time (164), 4 elapsed (46)
    '<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="21"/><xf numFmtId="164"/>'
    '<xf numFmtId="46"/></cellXfs></styleSheet>')


def xlsx_bytes(sheets, styles=DEFAULT_STYLES, date1904=False, doctype=""):
    strings, index = [], {}

    def shared(text):
        if text not in index:
            index[text] = len(strings)
            strings.append(text)
        return index[text]

    sheet_parts = []
    for _, rows in sheets:
        xml_rows = []
        for r, row in enumerate(rows, start=1):
            cells = []
            for c, value in enumerate(row):
                ref = f"{column_name(c)}{r}"
                if value is None:
                    continue
                if isinstance(value, Raw):
                    cells.append(value.xml.replace("<c", f'<c r="{ref}"', 1))
                elif isinstance(value, str):
                    cells.append(f'<c r="{ref}" t="s"><v>{shared(value)}</v></c>')
                else:
                    cells.append(f'<c r="{ref}"><v>{value!r}</v></c>')
            xml_rows.append(f'<row r="{r}">{"".join(cells)}</row>')
        sheet_parts.append(
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>{doctype}'
            f'<worksheet xmlns="{MAIN_NS}" xmlns:r="{REL_NS}"><sheetData>{"".join(xml_rows)}</sheetData></worksheet>')

    names = "".join(f'<sheet name={quoteattr(name)} sheetId="{i}" r:id="rId{i}"/>'
                    for i, (name, _) in enumerate(sheets, start=1))
    pr = '<workbookPr date1904="1"/>' if date1904 else "<workbookPr/>"
    workbook = (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><workbook xmlns="{MAIN_NS}" '
                f'xmlns:r="{REL_NS}">{pr}<sheets>{names}</sheets></workbook>')
    n = len(sheets)
    rels = "".join(f'<Relationship Id="rId{i}" Type="{DOC_REL}/worksheet" Target="worksheets/sheet{i}.xml"/>'
                   for i in range(1, n + 1))
    rels += f'<Relationship Id="rId{n + 1}" Type="{DOC_REL}/sharedStrings" Target="sharedStrings.xml"/>'
    rels += f'<Relationship Id="rId{n + 2}" Type="{DOC_REL}/styles" Target="styles.xml"/>'
    sst = "".join(f"<si><t xml:space=\"preserve\">{escape(s)}</t></si>" for s in strings)
    overrides = "".join(
        f'<Override PartName="/xl/worksheets/sheet{i}.xml" '
        'ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
        for i in range(1, n + 1))
    parts = [
        ("[Content_Types].xml",
         '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
         '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
         '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
         '<Default Extension="xml" ContentType="application/xml"/>'
         '<Override PartName="/xl/workbook.xml" '
         'ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
         f'{overrides}</Types>'),
        ("_rels/.rels",
         f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><Relationships xmlns="{PKG_REL_NS}">'
         f'<Relationship Id="rId1" Type="{DOC_REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>'),
        ("xl/workbook.xml", workbook),
        ("xl/_rels/workbook.xml.rels",
         f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><Relationships xmlns="{PKG_REL_NS}">{rels}'
         '</Relationships>'),
        ("xl/styles.xml", styles),
        ("xl/sharedStrings.xml",
         f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><sst xmlns="{MAIN_NS}" count="{len(strings)}" '
         f'uniqueCount="{len(strings)}">{sst}</sst>'),
    ]
    parts += [(f"xl/worksheets/sheet{i}.xml", xml) for i, xml in enumerate(sheet_parts, start=1)]
    return _zip(parts)


ODS_NS = (
    'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
    'xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0" '
    'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"')
ODS_TYPE = "application/vnd.oasis.opendocument.spreadsheet"


def ods_cell(value):
    if value is None:
        return "<table:table-cell/>"
    if isinstance(value, Raw):
        return value.xml
    if isinstance(value, str):
        return f'<table:table-cell office:value-type="string"><text:p>{escape(value)}</text:p></table:table-cell>'
    return (f'<table:table-cell office:value-type="float" office:value="{value!r}">'
            f'<text:p>{value!r}</text:p></table:table-cell>')


def ods_bytes(sheets, tail_rows=1048000, tail_columns=16000, manifest_extra=""):
    """tail_rows and tail_columns: the empty rows and cells LibreOffice repeats to the sheet's end."""
    tables = []
    for name, rows in sheets:
        body = []
        for row in rows:
            if isinstance(row, Raw):
                body.append(row.xml)
                continue
            cells = "".join(ods_cell(v) for v in row)
            body.append(f'<table:table-row>{cells}<table:table-cell table:number-columns-repeated="{tail_columns}"/>'
                        '</table:table-row>')
        body.append(f'<table:table-row table:number-rows-repeated="{tail_rows}">'
                    f'<table:table-cell table:number-columns-repeated="{tail_columns}"/></table:table-row>')
        tables.append(f'<table:table table:name={quoteattr(name)}>{"".join(body)}</table:table>')
    content = (f'<?xml version="1.0" encoding="UTF-8"?><office:document-content {ODS_NS} office:version="1.3">'
               f'<office:body><office:spreadsheet>{"".join(tables)}</office:spreadsheet></office:body>'
               '</office:document-content>')
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>'
                '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" '
                'manifest:version="1.3">'
                f'<manifest:file-entry manifest:full-path="/" manifest:media-type="{ODS_TYPE}"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml">'
                f'{manifest_extra}</manifest:file-entry></manifest:manifest>')
    return _zip([("mimetype", ODS_TYPE), ("content.xml", content), ("META-INF/manifest.xml", manifest)],
                stored_first="mimetype")


def csv_text(rows, delimiter=","):
    def field(value):
        text = "" if value is None else str(value)
        if any(c in text for c in (delimiter, '"', "\n", "\r")):
            return '"' + text.replace('"', '""') + '"'
        return text
    return "".join(delimiter.join(field(v) for v in row) + "\r\n" for row in rows)
