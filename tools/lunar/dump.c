#include <lunar-date/lunar-date.h>
#include <stdio.h>
#include <stdlib.h>
int main(){
  LunarDate*d=lunar_date_new();
  for(int y=1901;y<=2100;y++)for(int m=1;m<=12;m++){
    int dim = (m==2)?((y%4==0&&(y%100||y%400==0))?29:28):((m==4||m==6||m==9||m==11)?30:31);
    for(int dd=1;dd<=dim;dd++){
      GError*e=NULL; lunar_date_set_solar_date(d,y,(GDateMonth)m,dd,12,&e);
      if(e){printf("%d %d %d ERR\n",y,m,dd);g_error_free(e);continue;}
      char*sy=lunar_date_strftime(d,"%(nian)"),*sm=lunar_date_strftime(d,"%(yue)"),*sd=lunar_date_strftime(d,"%(ri)");
      int ll=sm[0]=='*';
      printf("%d %d %d %d %d %d %d\n",y,m,dd,atoi(sy),atoi(sm+ll),ll,atoi(sd));
      g_free(sy);g_free(sm);g_free(sd);
    }}
}
