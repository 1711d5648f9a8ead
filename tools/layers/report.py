"""What the check found: the offences, one line each, and the component
edges seen on the way, summed up at the end."""

from __future__ import annotations

from collections import Counter
from dataclasses import dataclass
from typing import TextIO


@dataclass(frozen=True)
class Offence:
    location: str  # "path:line", or a target name where no line is known
    rule: str
    message: str
    # the component pair the offence is about, if it is about one
    edge: tuple[str, str] | None = None


class Report:
    def __init__(self, components: int):
        self.components = components
        self.offences: list[Offence] = []
        self.include_edges: Counter[tuple[str, str]] = Counter()
        self.library_edges: set[tuple[str, str]] = set()

    def add(self, location: str, rule: str, message: str,
            edge: tuple[str, str] | None = None) -> None:
        self.offences.append(Offence(location, rule, message, edge))

    def write(self, out: TextIO) -> None:
        for offence in self.offences:
            out.write(f"{offence.location}: {offence.rule}: {offence.message}\n")
        self._write_pairs(out)
        edges = set(self.include_edges) | self.library_edges
        rules = Counter(offence.rule for offence in self.offences)
        by_rule = ", ".join(f"{count} {rule}" for rule, count in sorted(rules.items()))
        out.write(f"layers: {self.components} components, {len(edges)} component edges "
                  f"({len(self.include_edges)} by include, {len(self.library_edges)} by "
                  f"library link), {_count(len(self.offences), 'offence')}"
                  + (f" ({by_rule})" if by_rule else "") + "\n")

    def _write_pairs(self, out: TextIO) -> None:
        """The offending component pairs, so a long list reads as a few moves."""
        pairs: dict[tuple[str, str], Counter[str]] = {}
        for offence in self.offences:
            if offence.edge:
                pairs.setdefault(offence.edge, Counter())[offence.rule] += 1
        if not pairs:
            return
        out.write("\nOffending component pairs:\n")
        for (user, used), rules in sorted(pairs.items()):
            counts = ", ".join(f"{count} {rule}" for rule, count in sorted(rules.items()))
            out.write(f"  {user} -> {used}: {counts}\n")
        out.write("\n")


def _count(number: int, noun: str) -> str:
    return f"{number} {noun}" + ("" if number == 1 else "s")
