#!/usr/bin/env python3
"""Reads a DXF written by yoheki-batch dxf back with ezdxf (as Debian packages
it) and prints, per block, each layer's entity count and extents in mm:

    BLOCK<TAB>LAYER<TAB>COUNT<TAB>X0 Y0 X1 Y1

after a first line "version encoding units layers..." and a line per insert
"INSERT<TAB>BLOCK<TAB>X". Exits 1 when ezdxf finds the file damaged."""
import sys

import ezdxf
from ezdxf import bbox

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
if auditor.has_errors:
    for e in auditor.errors:
        print("error", e.message)
    sys.exit(1)
# ezdxf adds the layer Defpoints on loading; it is not in the file.
layers = sorted(layer.dxf.name for layer in doc.layers if layer.dxf.name != "Defpoints")
print(doc.dxfversion, doc.encoding, doc.header.get("$INSUNITS", 0), " ".join(layers))
for insert in doc.modelspace().query("INSERT"):
    print("INSERT\t%s\t%.0f" % (insert.dxf.name, insert.dxf.insert.x))
for block in doc.blocks:
    if block.name.startswith("*"):
        continue
    by_layer = {}
    for e in block:
        by_layer.setdefault(e.dxf.layer, []).append(e)
    for layer, entities in sorted(by_layer.items()):
        box = bbox.extents(entities)
        print("%s\t%s\t%d\t%.0f %.0f %.0f %.0f" % (
            block.name, layer, len(entities), box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y))
