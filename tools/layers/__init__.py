"""The layer check of tools/check-layers."""
