"""The layer map (tools/layers.txt): components with their folders and the
components each may use, the CMake targets of each component, the header
rules and the folders outside the check."""

from __future__ import annotations

import fnmatch
from dataclasses import dataclass, field
from pathlib import Path


class LayerMapError(Exception):
    """A fault in the map file, with the line it is on (0: the whole file)."""

    def __init__(self, line: int, message: str):
        super().__init__(message)
        self.line = line


@dataclass
class HeaderRule:
    """Headers (written in angle brackets) only some components may include."""

    name: str
    enabled: bool
    patterns: list[str]
    allowed: list[str]

    def matches(self, header: str) -> bool:
        return any(fnmatch.fnmatchcase(header, pattern) for pattern in self.patterns)


@dataclass
class LayerMap:
    # component -> the components it names as usable, in file order
    uses: dict[str, list[str]] = field(default_factory=dict)
    # folder prefix ("platform/core/") -> component
    folders: dict[str, str] = field(default_factory=dict)
    # CMake target -> component
    libraries: dict[str, str] = field(default_factory=dict)
    header_rules: list[HeaderRule] = field(default_factory=list)
    outside: list[str] = field(default_factory=list)
    # component -> every component reachable below it
    reachable: dict[str, set[str]] = field(default_factory=dict)

    def component_of(self, path: str) -> str | None:
        """The component of a path relative to the tree root: the longest
        folder prefix that holds it."""
        best = None
        for folder, component in self.folders.items():
            if path.startswith(folder) and (best is None or len(folder) > len(best)):
                best = folder
        return self.folders[best] if best is not None else None

    def outside_folder(self, path: str) -> str | None:
        return next((folder for folder in self.outside if path.startswith(folder)), None)

    def may_use(self, user: str, used: str) -> bool:
        return user == used or used in self.reachable[user]

    def top_folders(self) -> set[str]:
        """The first path segments of every folder the map names."""
        return {folder.split("/", 1)[0] for folder in [*self.folders, *self.outside]}


SECTIONS = ("components", "libraries", "headers", "outside")


def read_layer_map(path: Path) -> LayerMap:
    layer_map = LayerMap()
    lines: dict[str, int] = {}  # component -> line that declares it
    section = None
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        text = raw.split("#", 1)[0].strip()
        if not text:
            continue
        if text.startswith("[") and text.endswith("]"):
            section = text[1:-1].strip()
            if section not in SECTIONS:
                raise LayerMapError(number, f"unknown section [{section}]")
            continue
        if section is None:
            raise LayerMapError(number, "a row before the first [section]")
        if section == "outside":
            layer_map.outside.extend(_folder(name) for name in text.split())
            continue
        name, colon, rest = text.partition(":")
        name = name.strip()
        if not colon or not name:
            raise LayerMapError(number, f'expected "name: ..." in [{section}]')
        if section == "components":
            _read_component(layer_map, lines, number, name, rest)
        elif section == "libraries":
            _read_library(layer_map, number, name, rest)
        else:
            _read_header_rule(layer_map, number, name, rest)
    _check_names(layer_map, lines)
    layer_map.reachable = _reachable(layer_map.uses, lines)
    return layer_map


def _folder(name: str) -> str:
    return name.strip("/") + "/"


def _read_component(layer_map: LayerMap, lines: dict[str, int], number: int, name: str,
                    rest: str) -> None:
    folders, arrow, uses = rest.partition("->")
    if not arrow:
        raise LayerMapError(number, f'component {name}: expected "folders -> components"')
    if name in layer_map.uses:
        raise LayerMapError(number, f"component {name} is declared twice")
    if not folders.split():
        raise LayerMapError(number, f"component {name} has no folder")
    for folder in map(_folder, folders.split()):
        if folder in layer_map.folders:
            raise LayerMapError(number, f"folder {folder} is already in component "
                                f"{layer_map.folders[folder]}")
        layer_map.folders[folder] = name
    layer_map.uses[name] = uses.split()
    lines[name] = number


def _read_library(layer_map: LayerMap, number: int, name: str, rest: str) -> None:
    if len(rest.split()) != 1:
        raise LayerMapError(number, f'library {name}: expected "target: component"')
    if name in layer_map.libraries:
        raise LayerMapError(number, f"library {name} is mapped twice")
    component = rest.strip()
    if component not in layer_map.uses:
        raise LayerMapError(number, f"library {name}: unknown component {component}")
    layer_map.libraries[name] = component


def _read_header_rule(layer_map: LayerMap, number: int, name: str, rest: str) -> None:
    words = name.split()
    patterns, arrow, allowed = rest.partition("->")
    if len(words) != 2 or words[1] not in ("on", "off") or not arrow or not patterns.split():
        raise LayerMapError(number, 'expected "rule on|off: patterns -> components"')
    for component in allowed.split():
        if component not in layer_map.uses:
            raise LayerMapError(number, f"header rule {words[0]}: unknown component {component}")
    layer_map.header_rules.append(
        HeaderRule(words[0], words[1] == "on", patterns.split(), allowed.split()))


def _check_names(layer_map: LayerMap, lines: dict[str, int]) -> None:
    for component, uses in layer_map.uses.items():
        for used in uses:
            if used not in layer_map.uses:
                raise LayerMapError(lines[component],
                                    f"component {component} uses unknown component {used}")


def _reachable(uses: dict[str, list[str]], lines: dict[str, int]) -> dict[str, set[str]]:
    """Everything below each component; the order must not lead back to a
    component, or "below" would mean nothing."""
    below: dict[str, set[str]] = {}

    def visit(component: str, path: list[str]) -> set[str]:
        if component in path:
            cycle = " -> ".join(path[path.index(component):] + [component])
            raise LayerMapError(lines[component], f"the order has a cycle: {cycle}")
        if component not in below:
            found: set[str] = set()
            for used in uses[component]:
                found |= {used} | visit(used, path + [component])
            below[component] = found
        return below[component]

    for component in uses:
        visit(component, [])
    return below
