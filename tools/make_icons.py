#!/usr/bin/env python3
"""Writes the program's own 16 x 16 icons (SVG) into data/icons/."""
import os

OUT = os.path.join(os.path.dirname(__file__), "..", "data", "icons")

def box(fill, label, fg="#ffffff"):
    return (f'<rect x="1" y="1" width="14" height="14" rx="2" fill="{fill}"/>'
            f'<text x="8" y="11.5" font-family="DejaVu Sans" font-size="{8 if len(label) < 3 else 6}" '
            f'font-weight="bold" text-anchor="middle" fill="{fg}">{label}</text>')

RADIO = ('<rect x="4" y="4" width="8" height="11" rx="1.5" fill="#37474f"/>'
         '<rect x="10" y="0.5" width="1.5" height="4" fill="#37474f"/>'
         '<rect x="5.5" y="5.5" width="5" height="3" fill="#a5d6a7"/>'
         '<circle cx="8" cy="12" r="1.5" fill="#90a4ae"/>')
FOLDER = ('<path d="M1 4h5l1.5 1.5H15v8.5H1z" fill="#f9a825"/>'
          '<path d="M1 6.5h14v7.5H1z" fill="#fbc02d"/>')
NOTE = lambda c: (f'<path d="M3 1h7l3 3v11H3z" fill="#fff" stroke="{c}"/>'
                  f'<path d="M5 6h6M5 8.5h6M5 11h4" stroke="{c}"/>')
TRI = lambda c: (f'<path d="M8 1.5L15 14.5H1z" fill="{c}"/>'
                 '<path d="M8 5.5v5M8 12v1.3" stroke="#fff" stroke-width="1.6"/>')
ARROW = lambda d: {'top': '<path d="M3 3h10M8 5l-5 6h10z" stroke="#1565c0" fill="#1565c0"/>',
                   'prev': '<path d="M11 3L4 8l7 5z" fill="#1565c0"/>',
                   'next': '<path d="M5 3l7 5-7 5z" fill="#1565c0"/>',
                   'last': '<path d="M3 13h10M8 11l-5-6h10z" stroke="#1565c0" fill="#1565c0"/>'}[d]

ICONS = {
    "imgIcon_Bar_Com1": box("#455a64", "1"),
    "imgIcon_Bar_Com2": box("#455a64", "2"),
    "imgIcon_Bar_Com3": box("#455a64", "3"),
    "imgIcon_Bar_Com4": box("#455a64", "4"),
    "imgIcon_Bar_File_Open": FOLDER,
    "imgIcon_Bar_File_New": NOTE("#546e7a"),
    "imgIcon_Bar_File_Save": ('<rect x="1.5" y="1.5" width="13" height="13" rx="1" fill="#1e88e5"/>'
                              '<rect x="4" y="2" width="8" height="5" fill="#fff"/>'
                              '<rect x="4" y="9.5" width="8" height="5" fill="#bbdefb"/>'),
    "imgIcon_Tree_Rig": RADIO,
    "imgIcon_ADJTree_Rig": RADIO + '<circle cx="12.5" cy="12.5" r="3" fill="#e53935"/>',
    "imgIcon_Tree_Folder01": FOLDER,
    "imgIcon_Tree_Note01": NOTE("#546e7a"),
    "imgIcon_Tree_Note02": NOTE("#2e7d32"),
    "imgIcon_Tree_WarnE_RB": TRI("#d32f2f"),
    "imgIcon_Tree_WarnW_RB": TRI("#f9a825"),
    "imgIcon_Bar_Clone_Info": box("#00897b", "i"),
    "imgIcon_Bar_Clone_Read": ('<path d="M8 1v9M4 6l4 4 4-4" stroke="#2e7d32" stroke-width="2" fill="none"/>'
                               '<rect x="2" y="12" width="12" height="3" fill="#37474f"/>'),
    "imgIcon_Bar_Clone_Write": ('<path d="M8 11V2M4 6l4-4 4 4" stroke="#c62828" stroke-width="2" fill="none"/>'
                                '<rect x="2" y="12" width="12" height="3" fill="#37474f"/>'),
    "imgIcon_Bar_Pcg_Pen": '<path d="M2 14l1-4 8-8 3 3-8 8z" fill="#6d4c41"/><path d="M2 14l1-4 3 3z" fill="#ffcc80"/>',
    "imgIcon_Bar_Pcg_Fill": '<path d="M3 7l5-5 6 6-5 5z" fill="#1e88e5"/><circle cx="13" cy="13" r="2" fill="#1e88e5"/>',
    "imgIcon_Bar_Pcg_Slider": '<path d="M1 8h14" stroke="#546e7a" stroke-width="2"/><rect x="6" y="3" width="4" height="10" fill="#1e88e5"/>',
    "imgIcon_Tree_Bank0": box("#5e35b1", "A"),
    "imgIcon_Tree_Bank1": box("#3949ab", "B"),
    "imgIcon_Tree_Bank2": box("#00838f", "C"),
    "imgIcon_Tree_Bank3": box("#558b2f", "D"),
    "imgIcon_Bar_Flash_Write": '<path d="M9 1L3 9h4l-1 6 6-8H8z" fill="#f57f17"/>',
    "imgIcon_Bar_Page_Top": ARROW("top"),
    "imgIcon_Bar_Page_Previous": ARROW("prev"),
    "imgIcon_Bar_Page_Next": ARROW("next"),
    "imgIcon_Bar_Page_Last": ARROW("last"),
    "imgIcon_Bar_Page_Zoom": '<circle cx="6.5" cy="6.5" r="4.5" fill="none" stroke="#37474f" stroke-width="2"/><path d="M10 10l4.5 4.5" stroke="#37474f" stroke-width="2.5"/>',
    "imgIcon_Bar_IO_Check": box("#6a1b9a", "I/O"),
}

os.makedirs(OUT, exist_ok=True)
for name, body in ICONS.items():
    with open(os.path.join(OUT, name + ".svg"), "w") as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">'
                + body + '</svg>\n')
print(len(ICONS), "icons")
