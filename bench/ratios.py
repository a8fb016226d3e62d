"""Ratios of figures taken side by side: each run of the program divided by
the baseline's run beside it, so that a slow spell of the machine falls on
both sides of one ratio instead of on one side of the medians. The spread is
the middle half of those ratios (first to third quartile)."""

import statistics


def paired(mine, base):
    """The ratio of each run to its neighbour's."""
    if len(mine) != len(base):
        raise ValueError("paired runs must come in pairs")
    return [m / b for m, b in zip(mine, base)]


def summary(ratios):
    """Median, first and third quartile."""
    if len(ratios) < 2:
        return ratios[0], ratios[0], ratios[0]
    q1, median, q3 = statistics.quantiles(ratios, n=4, method="inclusive")
    return median, q1, q3


def spread(q1, q3):
    return f"{q1:.3f}-{q3:.3f}"
