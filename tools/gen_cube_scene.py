#!/usr/bin/env python3
"""Writes app/resources/ztarn_scene.x, the cube scene the game embeds.

The scene is data: 26 cubie meshes, the frame tree under "ZTarnCenter", two camera frames and
two point lights as custom records. Run this only to change the scene; the build embeds the .x file.
"""
import pathlib

STANDARD_TEMPLATES = """\
template Header {
 <3D82AB43-62DA-11cf-AB39-0020AF71E433>
 WORD major;
 WORD minor;
 DWORD flags;
}

template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}

template Coords2d {
 <F6F23F44-7686-11cf-8F52-0040333594A3>
 FLOAT u;
 FLOAT v;
}

template Matrix4x4 {
 <F6F23F45-7686-11cf-8F52-0040333594A3>
 array FLOAT matrix[16];
}

template ColorRGBA {
 <35FF44E0-6C7C-11cf-8F52-0040333594A3>
 FLOAT red;
 FLOAT green;
 FLOAT blue;
 FLOAT alpha;
}

template ColorRGB {
 <D3E16E81-7835-11cf-8F52-0040333594A3>
 FLOAT red;
 FLOAT green;
 FLOAT blue;
}

template IndexedColor {
 <1630B820-7842-11cf-8F52-0040333594A3>
 DWORD index;
 ColorRGBA indexColor;
}

template Boolean {
 <4885AE61-78E8-11cf-8F52-0040333594A3>
 WORD truefalse;
}

template Boolean2d {
 <4885AE63-78E8-11cf-8F52-0040333594A3>
 Boolean u;
 Boolean v;
}

template MaterialWrap {
 <4885AE60-78E8-11cf-8F52-0040333594A3>
 Boolean u;
 Boolean v;
}

template TextureFilename {
 <A42790E1-7810-11cf-8F52-0040333594A3>
 STRING filename;
}

template Material {
 <3D82AB4D-62DA-11cf-AB39-0020AF71E433>
 ColorRGBA faceColor;
 FLOAT power;
 ColorRGB specularColor;
 ColorRGB emissiveColor;
 [...]
}

template MeshFace {
 <3D82AB5F-62DA-11cf-AB39-0020AF71E433>
 DWORD nFaceVertexIndices;
 array DWORD faceVertexIndices[nFaceVertexIndices];
}

template MeshFaceWraps {
 <4885AE62-78E8-11cf-8F52-0040333594A3>
 DWORD nFaceWrapValues;
 Boolean2d faceWrapValues;
}

template MeshTextureCoords {
 <F6F23F40-7686-11cf-8F52-0040333594A3>
 DWORD nTextureCoords;
 array Coords2d textureCoords[nTextureCoords];
}

template MeshMaterialList {
 <F6F23F42-7686-11cf-8F52-0040333594A3>
 DWORD nMaterials;
 DWORD nFaceIndexes;
 array DWORD faceIndexes[nFaceIndexes];
 [Material]
}

template MeshNormals {
 <F6F23F43-7686-11cf-8F52-0040333594A3>
 DWORD nNormals;
 array Vector normals[nNormals];
 DWORD nFaceNormals;
 array MeshFace faceNormals[nFaceNormals];
}

template MeshVertexColors {
 <1630B821-7842-11cf-8F52-0040333594A3>
 DWORD nVertexColors;
 array IndexedColor vertexColors[nVertexColors];
}

template Mesh {
 <3D82AB44-62DA-11cf-AB39-0020AF71E433>
 DWORD nVertices;
 array Vector vertices[nVertices];
 DWORD nFaces;
 array MeshFace faces[nFaces];
 [...]
}

template FrameTransformMatrix {
 <F6F23F41-7686-11cf-8F52-0040333594A3>
 Matrix4x4 frameMatrix;
}

template Frame {
 <3D82AB46-62DA-11cf-AB39-0020AF71E433>
 [...]
}
"""

CUSTOM_TEMPLATES = """\
#Templates for Y-Forge
template YF_Light {
 <F3BBF980-7B14-11d1-BFE2-444553540000>
 STRING FrameName;
 STRING EnableFrameName;
 BYTE LightType;
 Vector Attenuation;
 ColorRGB Color;
 DOUBLE Penumbra;
 DOUBLE Range;
}

template YF_Wrap {
 <2557EAA0-35E4-11D2-AB8B-444553540000>
 STRING BuilderName;
 STRING RefFrameName;
 BYTE WrapType;
 Vector Origin;
 Vector Direction;
 Vector Up;
 FLOAT OriginU;
 FLOAT OriginV;
 FLOAT ScaleU;
 FLOAT ScaleV;
}
"""

# Cubie positions in frame order: layer by layer along Y, each layer around its edge from
# (-2, y, -2) and ending with the layer's centre; the middle layer has no centre cubie.
RING = [(-2, -2), (0, -2), (2, -2), (2, 0), (2, 2), (0, 2), (-2, 2), (-2, 0)]
POSITIONS = ([(x, -2, z) for x, z in RING] + [(0, -2, 0)] +
             [(x, 0, z) for x, z in RING] +
             [(x, 2, z) for x, z in RING] + [(0, 2, 0)])
assert len(POSITIONS) == 26

FACES = [(0, 1, 2, 3), (1, 4, 5, 2), (4, 6, 7, 5), (5, 7, 3, 2), (7, 6, 0, 3), (6, 4, 1, 0)]
# Outward side of each face as (axis, sign) and its colour when that side is on the outside.
SIDES = [(1, -1), (0, -1), (1, 1), (2, -1), (0, 1), (2, 1)]
SIDE_COLOURS = ["1.000000;1.000000;0.000000", "1.000000;0.501961;1.000000",
                "1.000000;0.000000;0.000000", "1.000000;1.000000;1.000000",
                "0.000000;1.000000;0.000000", "0.000000;0.000000;1.000000"]
BLACK = "0.000000;0.000000;0.000000"

CAMERAS = {
    "RightCameraFrame": [(0.707567, -0.706646, -7.37101e-09, 0), (-0.407805, -0.408337, 0.816674, 0),
                         (-0.577099, -0.577852, -0.577099, 0), (8.98804, 8.99976, 8.98804, 1)],
    "LeftCameraFrame": [(-0.707567, 0.706646, 7.37101e-09, 0), (-0.407805, -0.408337, 0.816674, 0),
                        (0.577099, 0.577852, 0.577099, 0), (-8.98779, -8.99951, -8.98779, 1)],
}


def num(v):
    return "%g" % v if abs(v) < 1e-4 and v != 0 else "%f" % v


def mesh(index, pos):
    h = 0.875 if all(c <= 0 for c in pos) else 0.876923
    verts = [(h, -h, h), (-h, -h, h), (-h, -h, -h), (h, -h, -h),
             (-h, h, h), (-h, h, -h), (h, h, h), (h, h, -h)]
    colours = []
    for axis, sign in SIDES:
        outer = pos[axis] == 2 * sign
        colours.append(SIDE_COLOURS[SIDES.index((axis, sign))] if outer else BLACK)
    materials = list(dict.fromkeys(colours))
    lines = ["Mesh C%d {" % index, " 8;"]
    lines += [" %s;%s;%s;%s" % (num(x), num(y), num(z), ";" if i == 7 else ",")
              for i, (x, y, z) in enumerate(verts)]
    lines.append(" 6;")
    lines += [" 4;%d,%d,%d,%d;%s" % (f + (";" if i == 5 else ",",)) for i, f in enumerate(FACES)]
    lines += ["", " MeshMaterialList {", "  %d;" % len(materials), "  6;"]
    lines += ["  %d%s" % (materials.index(c), ";" if i == 5 else ",") for i, c in enumerate(colours)]
    for c in materials:
        lines += ["", "  Material {", "   %s;1.000000;;" % c, "   0.000000;",
                  "   0.000000;0.000000;0.000000;;", "   0.000000;0.000000;0.000000;;", "  }"]
    lines += [" }", "}", ""]
    return lines


def matrix(rows, indent):
    body = ",\n".join(indent + " " + ",".join(num(v) for v in row) for row in rows)
    return [indent + "FrameTransformMatrix {", body + ";;", indent + "}"]


def scene():
    out = ["xof 0302txt 0064", STANDARD_TEMPLATES, CUSTOM_TEMPLATES, "Header {1; 0; 1;}", ""]
    for i, pos in enumerate(POSITIONS, start=1):
        out += mesh(i, pos)
    identity = [(1, 0, 0, 0), (0, 1, 0, 0), (0, 0, 1, 0), (0, 0, 0, 1)]
    out += ["Frame {"] + matrix(identity, " ") + ["", " Frame ZTarnCenter {"]
    out += matrix(identity, "  ")
    for i, (x, y, z) in enumerate(POSITIONS, start=1):
        rows = identity[:3] + [(x, y, z, 1)]
        out += ["", "  Frame Frame%d {" % i] + matrix(rows, "   ") + ["   { C%d }" % i, "  }"]
    out.append(" }")
    for name, rows in CAMERAS.items():
        out += ["", " Frame %s {" % name] + matrix(rows, "  ") + [" }"]
    out += ["}", "", "#Additional data for Y-Forge:"]
    for frame in ("RightCameraFrame", "LeftCameraFrame"):
        out.append('YF_Light POINT {"%s"; ""; 1; 1.0; 0.0; 0.0;; 1.0; 1.0; 1.0;; 0.5; 256.0;}'
                   % frame)
    text = "\n".join(out) + "\n"
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


if __name__ == "__main__":
    target = pathlib.Path(__file__).resolve().parent.parent / "app" / "resources" / "ztarn_scene.x"
    target.write_bytes(scene().encode("ascii"))
    print("wrote", target)
