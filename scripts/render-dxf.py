#!/usr/bin/python3
"""Draws a DXF file made by `tavrel export --to dxf` to a PNG picture, as the README shows it.
Needs Debian's python3-ezdxf and python3-matplotlib. Usage: render-dxf.py SHEET.dxf PICTURE.png"""
import sys
import ezdxf
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
from ezdxf.addons.drawing import RenderContext, Frontend
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
doc = ezdxf.readfile(sys.argv[1])
doc.styles.get("NOTES").dxf.font = "DejaVuSansMono.ttf"  # Courier New is not on this system
fig = plt.figure(figsize=(9, 10))
ax = fig.add_axes([0, 0, 1, 1])
ctx = RenderContext(doc)
ctx.set_current_layout(doc.modelspace())
Frontend(ctx, MatplotlibBackend(ax)).draw_layout(doc.modelspace(), finalize=True)
fig.savefig(sys.argv[2], dpi=220, facecolor="black")
