// placeholder until the skin lands
