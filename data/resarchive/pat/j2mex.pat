[J2MEX]
; Patch description for Motorola C380, C650, E398 and V635 phones.
HeapSize=800
ScreenMode=FullScreen
FlipInsensitive=True
