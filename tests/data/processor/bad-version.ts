<?xml version="1.0"?>
<TS version="3.0">
</TS>
